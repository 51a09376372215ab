#pragma once

#include <QString>
#include <vector>

namespace vrx {

// One entry of a help file's contents (.hhc) or index (.hhk): its title, the page it opens
// ("4.htm#errors") and how deep it is nested (0 at the top).
struct SitemapEntry {
  QString name;
  QString local;
  int depth = 0;
  bool operator==(const SitemapEntry&) const = default;
};

// The entries of a contents or index file, in the file's order. Objects without a page are
// skipped; markup it does not know is ignored.
std::vector<SitemapEntry> ParseSitemap(const QString& text);

}  // namespace vrx
