#include "app/EchoPayload.h"

#include <algorithm>
#include <cstring>

namespace keepalive {

std::string EchoRequestData(std::size_t size) {
    std::string data(size, ' ');
    const std::size_t text = std::min(size, std::strlen(kIdentification));
    std::copy_n(kIdentification, text, data.begin());
    return data;
}

} // namespace keepalive
