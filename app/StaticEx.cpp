#include "app/StaticEx.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QPalette>
#include <QRegularExpression>

CStaticEx::CStaticEx(QWidget* parent)
    : QLabel(parent), m_openUrl([](const QUrl& url) { QDesktopServices::openUrl(url); }) {
    setCursor(Qt::PointingHandCursor);
    setTextFormat(Qt::PlainText);
}

CStaticEx::~CStaticEx() = default;

void CStaticEx::SetLink(bool on) {
    m_bLink = on;
    if (!on) return;
    QFont linkFont = font();
    linkFont.setUnderline(true);
    setFont(linkFont);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, QColor(0, 0, 255));
    colours.setColor(QPalette::Window, colours.color(QPalette::Button));
    setPalette(colours);
    setAutoFillBackground(true);
}

void CStaticEx::SetUrlOpener(std::function<void(const QUrl&)> opener) {
    m_openUrl = std::move(opener);
}

bool CStaticEx::IsUrlText(const QString& text) {
    // A one-letter scheme would be a drive letter ("C:\..."), which is a path, not a URL.
    static const QRegularExpression kUrl(QStringLiteral("^[A-Za-z][A-Za-z0-9+.\\-]+:\\S"));
    return kUrl.match(text).hasMatch();
}

QUrl CStaticEx::LinkTarget(const QString& text) {
    if (IsUrlText(text)) return QUrl(text);
    return QUrl(QStringLiteral("mailto:") + text);
}

void CStaticEx::mousePressEvent(QMouseEvent* event) {
    if (m_bLink && event->button() == Qt::LeftButton && m_openUrl) m_openUrl(LinkTarget(text()));
    QLabel::mousePressEvent(event);
}
