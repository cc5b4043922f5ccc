#include "platform/qt/QtText.h"

#include <QStringDecoder>

namespace tq {

QString ToQString(std::string_view text) {
  const QByteArrayView bytes(text.data(), static_cast<qsizetype>(text.size()));
  QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString decoded = decoder.decode(bytes);
  if (!decoder.hasError()) return decoded;
  return QString::fromLatin1(bytes);
}

std::string ToStdString(const QString& text) {
  return text.toStdString();
}

}  // namespace tq
