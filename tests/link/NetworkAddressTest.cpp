// The network addresses a port's device may be. The host goes into gensio's connection string,
// whose separators are commas and parentheses, so nothing else may pass.

#include "link/NetworkAddress.h"

#include <gtest/gtest.h>

namespace vrx {
namespace {

// "KIND HOST PORT", or "refused".
std::string Parsed(const char* device) {
  const auto address = NetworkAddress::Parse(QString::fromUtf8(device));
  if (!address)
    return "refused";
  return QStringLiteral("%1 %2 %3")
      .arg(address->kind == NetworkAddress::Kind::kTcp ? "tcp" : "rfc2217", address->host)
      .arg(address->port)
      .toStdString();
}

TEST(NetworkAddress, ParsesTheTwoFormsAndRefusesTheRest) {
  const struct {
    const char* device;
    const char* parsed;
  } cases[] = {
      {"rfc2217://192.168.10.5:2217", "rfc2217 192.168.10.5 2217"},
      {"tcp://gw-3.substation.local:4001", "tcp gw-3.substation.local 4001"},
      {"rfc2217://[fd00::5]:65535", "rfc2217 fd00::5 65535"},
      {"rfc2217://host:0", "refused"},
      {"rfc2217://host:65536", "refused"},
      {"tcp://host", "refused"},
      {"tcp://:2217", "refused"},
      {"tcp://host,9:1", "refused"},
      {"rfc2217://host(x):1", "refused"},
      {"udp://host:1", "refused"},
      {"/dev/ttyUSB0", "refused"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Parsed(c.device), c.parsed) << c.device;
}

}  // namespace
}  // namespace vrx
