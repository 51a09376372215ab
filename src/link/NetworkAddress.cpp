#include "link/NetworkAddress.h"

#include <QRegularExpression>

namespace vrx {

namespace {
const QString kRfc2217Scheme = QStringLiteral("rfc2217://");
const QString kTcpScheme = QStringLiteral("tcp://");
}  // namespace

bool NetworkAddress::Names(const QString& device) {
  return device.startsWith(kRfc2217Scheme) || device.startsWith(kTcpScheme);
}

std::optional<NetworkAddress> NetworkAddress::Parse(const QString& device) {
  NetworkAddress address;
  QString rest;
  if (device.startsWith(kRfc2217Scheme)) {
    rest = device.mid(kRfc2217Scheme.size());
  } else if (device.startsWith(kTcpScheme)) {
    address.kind = Kind::kTcp;
    rest = device.mid(kTcpScheme.size());
  } else {
    return std::nullopt;
  }
  // The host goes into the library's connection string, whose separators are commas and
  // parentheses: only the characters of names and addresses pass.
  static const QRegularExpression form(
      QStringLiteral(R"(^(?:([A-Za-z0-9._-]+)|\[([0-9A-Fa-f:.]+)\]):([0-9]{1,5})$)"));
  const QRegularExpressionMatch match = form.match(rest);
  if (!match.hasMatch())
    return std::nullopt;
  const int port = match.captured(3).toInt();
  if (port < 1 || port > 65535)
    return std::nullopt;
  address.host = match.captured(1).isEmpty() ? match.captured(2) : match.captured(1);
  address.port = static_cast<uint16_t>(port);
  return address;
}

}  // namespace vrx
