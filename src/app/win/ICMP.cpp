#include "app/win/ICMP.h"

#include "app/EchoPayload.h"

#include <atomic>
#include <cstring>

// The reply layout is the system's own: the 28-byte header of a 32-bit
// process grows with the data pointer in a 64-bit one.
static_assert(sizeof(ICMP_ECHO_REPLY) == (sizeof(void*) == 8 ? 40 : 28), "ICMP_ECHO_REPLY layout");
static_assert(sizeof(IP_OPTION_INFORMATION) == (sizeof(void*) == 8 ? 16 : 8), "IP_OPTION_INFORMATION layout");

namespace {

std::atomic<int> liveHandles{0};

// Room the system needs beyond the header and the echoed data: an ICMP error
// message it may place in the reply.
constexpr DWORD kReplySlack = 8;

TLibrary LoadHelperLibrary(const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        if (HMODULE module = LoadLibraryW(win::Wide(name).c_str())) return TLibrary(module);
    }
    throw TICMPException("Unable to register icmp.dll");
}

template <typename F>
F Function(HMODULE module, const char* name) {
    // Through void* so the compiler accepts the change of function type.
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

TIcmpFunctions FindFunctions(HMODULE module) {
    TIcmpFunctions f;
    f.CreateFile = Function<TIcmpFunctions::TCreateFile>(module, "IcmpCreateFile");
    f.CloseHandle = Function<TIcmpFunctions::TCloseHandle>(module, "IcmpCloseHandle");
    f.SendEcho = Function<TIcmpFunctions::TSendEcho>(module, "IcmpSendEcho");
    if (!f.CreateFile || !f.CloseHandle || !f.SendEcho) throw TICMPException("Error loading dll functions");
    return f;
}

std::string Dotted(IPAddr address) {
    in_addr a;
    a.s_addr = address;
    const char* text = inet_ntoa(a);
    return text ? text : std::string();
}

// The data of the first reply, read through the reply's own pointer, and
// only when that lies inside the buffer the system filled.
std::string EchoedData(const std::vector<unsigned char>& buffer) {
    ICMP_ECHO_REPLY header;
    std::memcpy(&header, buffer.data(), sizeof header);
    const auto begin = reinterpret_cast<std::uintptr_t>(buffer.data());
    const auto data = reinterpret_cast<std::uintptr_t>(header.Data);
    if (!header.Data || data < begin || data + header.DataSize > begin + buffer.size()) return std::string();
    return std::string(static_cast<const char*>(header.Data), header.DataSize);
}

} // namespace

TWinsockSession::TWinsockSession() {
    WSADATA data;
    if (WSAStartup(MAKEWORD(1, 1), &data) != 0) throw TICMPException("Error initialising Winsock");
}

TWinsockSession::~TWinsockSession() { WSACleanup(); }

TIcmpHandle::TIcmpHandle(const TIcmpFunctions& functions)
    : handle_(functions.CreateFile()), close_(functions.CloseHandle) {
    if (handle_ == INVALID_HANDLE_VALUE) throw TICMPException("Unable to get ping handle");
    ++liveHandles;
}

TIcmpHandle::~TIcmpHandle() {
    close_(handle_);
    --liveHandles;
}

int TIcmpHandle::Live() { return liveHandles; }

THostLookup LookUpHost(const std::string& host) {
    THostLookup result;
    const hostent* entry = gethostbyname(host.c_str());
    if (!entry || entry->h_addrtype != AF_INET || entry->h_length != 4 || !entry->h_addr_list[0]) {
        result.Error = entry ? WSANO_DATA : WSAGetLastError();
        return result;
    }
    std::memcpy(&result.Address, entry->h_addr_list[0], 4);
    result.Name = entry->h_name ? entry->h_name : host;
    result.Found = true;
    return result;
}

TICMP::TICMP(const TICMPSetup& setup)
    : library_(LoadHelperLibrary(setup.Libraries)),
      functions_(FindFunctions(library_.Get())),
      handle_(functions_),
      resolve_(setup.Resolve ? setup.Resolve : TResolver(LookUpHost)) {}

void TICMP::SetHost(const std::string& host) {
    host_ = host;
    address_ = INADDR_NONE;
    hostName_.clear();
    dotted_.clear();
    resolved_ = false;
}

void TICMP::Display(const std::string& text) const {
    if (Notify.Display) Notify.Display(text);
}

void TICMP::Resolve() {
    // An empty text is no host; the system would take it for this machine.
    if (host_.empty()) return;
    IPAddr address = inet_addr(host_.c_str());
    std::string name = host_;
    if (address == INADDR_NONE) {
        const THostLookup found = resolve_(host_);
        if (!found.Found) {
            lastError_ = found.Error;
            Display("Unable to resolve " + host_);
            return;
        }
        address = found.Address;
        name = found.Name;
    }
    address_ = address;
    hostName_ = name;
    dotted_ = Dotted(address);
    resolved_ = true;
}

DWORD TICMP::Ping() {
    lastError_ = 0;
    if (!resolved_) Resolve();
    if (address_ == INADDR_NONE) {
        lastError_ = IP_BAD_DESTINATION;
        Display("Invalid host address");
        return 0;
    }

    std::string request = keepalive::EchoRequestData(Size);
    // Zeroed, header included; the system writes the echoed data after the
    // header and points the header's Data at it.
    std::vector<unsigned char> reply(sizeof(ICMP_ECHO_REPLY) + Size + kReplySlack);
    IP_OPTION_INFORMATION options{};
    options.Ttl = TTL;

    if (Notify.EchoRequest) Notify.EchoRequest();
    const DWORD replies = functions_.SendEcho(handle_.Get(), address_, request.data(), Size, &options, reply.data(),
                                              static_cast<DWORD>(reply.size()), Timeout);
    lastError_ = GetLastError();
    std::memcpy(&lastReply_, reply.data(), sizeof lastReply_);
    replyData_ = replies ? EchoedData(reply) : std::string();
    lastReply_.Data = nullptr; // it pointed into the buffer freed below
    if (Notify.EchoReply) Notify.EchoReply(replies);
    return replies;
}
