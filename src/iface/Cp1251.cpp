#include "iface/Cp1251.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace vrx {

namespace {

// One conversion descriptor for one call; iconv's descriptors keep state and are not shared.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1))
      throw std::runtime_error("iconv cannot convert between UTF-8 and WINDOWS-1251");
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts all of `in`; at a sequence the target cannot hold returns false, unless
  // `replacement` is given: then it is written instead and one input byte is skipped.
  bool Run(QByteArray in, QByteArray& out, const QByteArray* replacement) {
    char* inPtr = in.data();
    size_t inLeft = static_cast<size_t>(in.size());
    // Every byte of either direction becomes at most four.
    QByteArray buffer(in.size() * 4 + 4, '\0');
    char* outPtr = buffer.data();
    size_t outLeft = static_cast<size_t>(buffer.size());
    while (inLeft > 0) {
      if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1))
        break;
      if (errno != EILSEQ || replacement == nullptr)
        return false;
      const qsizetype done = outPtr - buffer.data();
      buffer.replace(done, replacement->size(), *replacement);
      outPtr = buffer.data() + done + replacement->size();
      outLeft -= static_cast<size_t>(replacement->size());
      ++inPtr;
      --inLeft;
    }
    out = buffer.left(outPtr - buffer.data());
    return true;
  }

 private:
  iconv_t cd_;
};

}  // namespace

std::optional<QByteArray> ToCp1251(const QString& text) {
  QByteArray out;
  if (!Converter("WINDOWS-1251", "UTF-8").Run(text.toUtf8(), out, nullptr))
    return std::nullopt;
  return out;
}

QString FromCp1251(const QByteArray& bytes) {
  const QByteArray replacement = QString(QChar::ReplacementCharacter).toUtf8();
  QByteArray out;
  Converter("UTF-8", "WINDOWS-1251").Run(bytes, out, &replacement);
  return QString::fromUtf8(out);
}

}  // namespace vrx
