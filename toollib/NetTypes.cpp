#include "NetTypes.h"

#include <netdb.h>
#include <netinet/in.h>

#include "SysUtils.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /toollib/NetTypes.cpp 1 11.12.26 4:00 XG $")

namespace xel {

namespace {

TTypeInfo PortTypeInfo(const char* name) {
  TTypeInfo info = MakeIntegerTypeInfo(name);
  info.Data.MinValue = MinPort;
  info.Data.MaxValue = MaxPort;
  return info;
}

}  // namespace

PTypeInfo TypeInfoOf(TypeTag<TUDPPort>) {
  static const TTypeInfo info = PortTypeInfo("TUDPPort");
  return &info;
}

PTypeInfo TypeInfoOf(TypeTag<TTCPPort>) {
  static const TTypeInfo info = PortTypeInfo("TTCPPort");
  return &info;
}

bool IsValidPort(Int64 port) { return port >= MinPort && port <= MaxPort; }

bool TryStrToPort(const String& text, const char* protocol, Integer& port) {
  const String s = Trim(text);
  if (s.empty()) return false;
  Int64 v = 0;
  if (TryStrToInt64(s, v)) {
    if (!IsValidPort(v)) return false;
    port = static_cast<Integer>(v);
    return true;
  }
  // The service table is read-only data of the system; getservbyname is not reentrant, but
  // the designer asks from its one thread.
  const servent* service = getservbyname(s.c_str(), protocol);
  if (!service) return false;
  port = ntohs(static_cast<uint16_t>(service->s_port));
  return true;
}

}  // namespace xel
