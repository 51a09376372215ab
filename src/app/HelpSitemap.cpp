#include "app/HelpSitemap.h"

#include <QRegularExpression>

namespace vrx {
namespace {

QString DecodeEntities(QString text) {
  text.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
  text.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
  text.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
  text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
  return text;
}

}  // namespace

std::vector<SitemapEntry> ParseSitemap(const QString& text) {
  // The nesting lists, the sitemap objects and their name/value parameters, in document order.
  static const QRegularExpression token(
      QStringLiteral(R"re(<(/?)ul\b[^>]*>|<(/?)object\b[^>]*>|)re"
                     R"re(<param\s+name="([^"]*)"\s+value="([^"]*)"\s*/?>)re"),
      QRegularExpression::CaseInsensitiveOption);
  constexpr int kList = 1, kObject = 2, kParamName = 3, kParamValue = 4;
  std::vector<SitemapEntry> entries;
  int lists = 0;
  SitemapEntry current;
  bool inObject = false;
  for (const QRegularExpressionMatch& m : token.globalMatch(text)) {
    if (m.hasCaptured(kList)) {
      lists += m.captured(kList).isEmpty() ? 1 : -1;
    } else if (m.hasCaptured(kParamName)) {
      const QString name = m.captured(kParamName).toLower();
      if (name == QLatin1String("name"))
        current.name = DecodeEntities(m.captured(kParamValue));
      else if (name == QLatin1String("local"))
        current.local = DecodeEntities(m.captured(kParamValue));
    } else if (m.captured(kObject).isEmpty()) {
      inObject = true;
      current = SitemapEntry{QString(), QString(), qMax(lists - 1, 0)};
    } else if (inObject) {
      inObject = false;
      if (!current.local.isEmpty())
        entries.push_back(current);
    }
  }
  return entries;
}

}  // namespace vrx
