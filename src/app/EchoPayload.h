#pragma once
// What a keep-alive echo carries and where it goes. Kept free of Windows so
// the request data can be checked on any build.
#include <cstddef>
#include <string>

namespace keepalive {

// The remote host the keep-alive echo goes to: a public resolver that
// answers echoes and is reachable from almost any connection. Given as a
// literal so that keeping the line up never needs a name lookup.
inline constexpr const char* kTargetHost = "8.8.8.8";

// The keep-alive echo is fire-and-forget: the program waits no longer than
// this (milliseconds) and never looks at the answer.
inline constexpr unsigned kTimeoutMs = 1;

// Written over the start of every echo's data, so whoever sees the packet
// can tell which program sent it.
inline constexpr const char* kIdentification = "Muralto keep-alive echo";

// The request data of an echo of `size` bytes: spaces, with as much of the
// identification text as fits copied over the beginning.
std::string EchoRequestData(std::size_t size);

} // namespace keepalive
