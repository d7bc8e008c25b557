#pragma once
// The style of the controls with an access key: the window's own style,
// except that the access key's underline shows only while Alt is held, so the
// captions look as designed until the user reaches for the keyboard.

#include <QProxyStyle>

namespace modsetup::qt {

class AccessKeyStyle : public QProxyStyle {
public:
    // baseStyle: the name of the style the rest of the window is drawn in.
    explicit AccessKeyStyle(const QString& baseStyle) : QProxyStyle(baseStyle) {}

    void setAltHeld(bool held) { altHeld_ = held; }
    bool altHeld() const { return altHeld_; }

    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returned = nullptr) const override {
        if (hint == SH_UnderlineShortcut) return altHeld_ ? 1 : 0;
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }

private:
    bool altHeld_ = false;
};

}  // namespace modsetup::qt
