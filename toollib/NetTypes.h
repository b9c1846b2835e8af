// The port numbers of network components as types of their own, so that the designer can
// give them an editor that knows their range and the names of services.
#pragma once

#include "TypInfo.h"

namespace xel {

inline constexpr Integer MinPort = 0;
inline constexpr Integer MaxPort = 65535;

// A port of the user datagram and of the transmission control protocol: 0..65535, where
// 0 asks the system for any free port.
enum TUDPPort : Integer {};
enum TTCPPort : Integer {};
PTypeInfo TypeInfoOf(TypeTag<TUDPPort>);
PTypeInfo TypeInfoOf(TypeTag<TTCPPort>);

bool IsValidPort(Int64 port);
// A number, or the name of a service of the protocol ("tcp" or "udp") as the system's
// service table knows it ("http" is 80). False for anything else and for numbers out of
// range.
bool TryStrToPort(const String& text, const char* protocol, Integer& port);

}  // namespace xel
