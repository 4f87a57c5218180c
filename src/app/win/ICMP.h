#pragma once
// The ICMP helper library wrapper behind the ping component. The helper
// library is loaded by name for the life of one TICMP, so nothing of it stays
// in the process between echoes; Winsock is started for the same span,
// because the address conversions and name lookups need it.
#include "platform/Errors.h"
#include "platform/win32/Handles.h"

#include <winsock2.h>
#include <ipexport.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The four ways creating a TICMP fails; they reach the general error report.
class TICMPException : public EMuraltoError {
public:
    using EMuraltoError::EMuraltoError;
};

// Winsock 1.1, started for the lifetime of the object.
class TWinsockSession {
public:
    TWinsockSession();
    ~TWinsockSession();
    TWinsockSession(const TWinsockSession&) = delete;
    TWinsockSession& operator=(const TWinsockSession&) = delete;
};

using TLibrary = win::UniqueLibrary;

// The three entry points the pinger needs, looked up by name.
struct TIcmpFunctions {
    using TCreateFile = HANDLE(WINAPI*)();
    using TCloseHandle = BOOL(WINAPI*)(HANDLE);
    using TSendEcho = DWORD(WINAPI*)(HANDLE, IPAddr, LPVOID, WORD, PIP_OPTION_INFORMATION, LPVOID, DWORD, DWORD);
    TCreateFile CreateFile = nullptr;
    TCloseHandle CloseHandle = nullptr;
    TSendEcho SendEcho = nullptr;
};

// An ICMP handle, closed with the library's own IcmpCloseHandle.
class TIcmpHandle {
public:
    explicit TIcmpHandle(const TIcmpFunctions& functions);
    ~TIcmpHandle();
    TIcmpHandle(const TIcmpHandle&) = delete;
    TIcmpHandle& operator=(const TIcmpHandle&) = delete;

    HANDLE Get() const { return handle_; }
    // Handles open right now in the process, so a test can see that every
    // pinger gave its handle back.
    static int Live();

private:
    HANDLE handle_;
    TIcmpFunctions::TCloseHandle close_;
};

// The answer of a host name lookup; Address in network byte order.
struct THostLookup {
    bool Found = false;
    IPAddr Address = INADDR_NONE;
    std::string Name;
    DWORD Error = 0; // the platform's error when not found
};
using TResolver = std::function<THostLookup(const std::string& host)>;

// The system's synchronous lookup (gethostbyname); needs Winsock started.
THostLookup LookUpHost(const std::string& host);

// What a TICMP takes from the system. Tests replace the library names and
// the resolver, so no test depends on a real name lookup.
struct TICMPSetup {
    // Tried in order: icmp.dll is absent from some systems, iphlpapi.dll
    // exports the same three functions.
    std::vector<std::string> Libraries{"icmp.dll", "iphlpapi.dll"};
    TResolver Resolve = LookUpHost;
};

// Optional observers of an echo; the keep-alive use sets none.
struct TPingNotifications {
    std::function<void(const std::string& text)> Display;
    std::function<void()> EchoRequest;
    std::function<void(DWORD replies)> EchoReply;
};

class TICMP {
public:
    // Starts Winsock, loads the helper library, finds its functions and opens
    // an ICMP handle; throws TICMPException when any of that fails.
    explicit TICMP(const TICMPSetup& setup = {});

    // Host text: an IPv4 literal or a host name. Setting it forgets the
    // previous resolution.
    void SetHost(const std::string& host);
    const std::string& Host() const { return host_; }
    bool Resolved() const { return resolved_; }
    IPAddr Address() const { return address_; }
    const std::string& HostName() const { return hostName_; }
    const std::string& DottedAddress() const { return dotted_; }

    std::uint16_t Size = 56;  // request data, bytes
    DWORD Timeout = 4000;     // wait for the reply, milliseconds
    UCHAR TTL = 64;
    TPingNotifications Notify;

    // Sends one echo and returns the number of replies (0 also for an
    // address that cannot be used: see LastError).
    DWORD Ping();

    DWORD LastError() const { return lastError_; }
    // The header of the last reply; its Data is null, the data itself is
    // kept by ReplyData.
    const ICMP_ECHO_REPLY& LastReply() const { return lastReply_; }
    // The data the first reply echoed back; empty without a reply.
    const std::string& ReplyData() const { return replyData_; }

private:
    void Resolve();
    void Display(const std::string& text) const;

    // Declared in the order of set-up, so they are released in reverse: the
    // handle before the library that closes it, Winsock last.
    TWinsockSession winsock_;
    TLibrary library_;
    TIcmpFunctions functions_;
    TIcmpHandle handle_;
    TResolver resolve_;

    std::string host_;
    IPAddr address_ = INADDR_NONE;
    std::string hostName_;
    std::string dotted_;
    bool resolved_ = false;

    ICMP_ECHO_REPLY lastReply_{};
    std::string replyData_;
    DWORD lastError_ = 0;
};
