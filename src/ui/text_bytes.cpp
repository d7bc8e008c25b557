#include "ui/text_bytes.h"

#include <QStringDecoder>

namespace modsetup::ui {

QString shownText(std::string_view bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (!utf8.hasError()) return text;
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string typedBytes(const QString& text) { return text.toUtf8().toStdString(); }

}  // namespace modsetup::ui
