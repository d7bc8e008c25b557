#include "ui/text_bytes.h"

#include <QStringDecoder>

namespace modsetup::ui {

QString shownText(std::string_view bytes) {
#ifdef Q_OS_WIN
    return QString::fromLocal8Bit(bytes.data(), static_cast<qsizetype>(bytes.size()));
#else
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (!utf8.hasError()) return text;
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
#endif
}

std::string typedBytes(const QString& text) {
#ifdef Q_OS_WIN
    return text.toLocal8Bit().toStdString();
#else
    return text.toUtf8().toStdString();
#endif
}

}  // namespace modsetup::ui
