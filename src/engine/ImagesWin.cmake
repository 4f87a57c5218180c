# The Windows side of image loading: GDI pictures and section-backed bitmaps.
target_sources(muralto_win PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/engine/win/GdiPictures.cpp)
