# Image loading: the bitmap, its files and every decoder.
target_sources(muralto_core PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/engine/Bitmap.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/engine/PixelHeap.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/engine/BmpFile.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/engine/ColorReduction.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/engine/Palette.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/engine/ImageLimits.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/engine/PcxMap.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/engine/JpegDecoder.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/engine/GifDecoder.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/engine/PngDecoder.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/engine/WebpDecoder.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/engine/IconReader.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/engine/AllMap.cpp
)
