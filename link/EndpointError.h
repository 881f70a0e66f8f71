#pragma once
// A failure of the UDP endpoint itself, as opposed to a device's (UErr): the
// step that failed and what it concerned, with the system's reason. what()
// is the English line quorctl prints; PolishText is what the window shows.

#include <cstdint>
#include <exception>
#include <string>
#include <system_error>

namespace quor {

enum class NetStep { Socket, Interface, Bind, Send, Receive, Address };

class EndpointError : public std::system_error {
public:
    // subject: the interface name (Interface), the local port (Bind), the
    // destination address (Send, Address); empty for the other steps.
    EndpointError(NetStep step, std::error_code code, std::string subject);

    NetStep Step;
    std::string Subject;
};

// The window's text of an endpoint failure: a Polish sentence naming the step
// and its subject, then the reason: in Polish for the failures a site meets
// (port taken, no route, interface down or missing, no permission, no
// buffers), as the system words it for any other.
std::string PolishText(const EndpointError& e);

// The text the window shows for an error that is not a device's: PolishText
// for an endpoint failure, the exception's own message otherwise.
std::string PolishText(const std::exception& e);

}  // namespace quor
