#include "app/StaticEx.h"

#include <QAccessibleWidget>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QRegularExpression>
#include <QStyleOptionFocusRect>
#include <mutex>

namespace {

// What a screen reader finds: a link named by its text, with the press action.
class CLinkAccessible : public QAccessibleWidget {
  public:
    explicit CLinkAccessible(CStaticEx* link) : QAccessibleWidget(link, QAccessible::Link) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<const CStaticEx*>(widget())->text();
        return QAccessibleWidget::text(kind);
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction()) static_cast<CStaticEx*>(widget())->Open();
    }
};

QAccessibleInterface* LinkAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String("CStaticEx") && object && object->isWidgetType())
        return new CLinkAccessible(static_cast<CStaticEx*>(object));
    return nullptr;
}

}  // namespace

CStaticEx::CStaticEx(QWidget* parent)
    : QLabel(parent), m_openUrl([](const QUrl& url) { QDesktopServices::openUrl(url); }) {
    static std::once_flag factoryInstalled;
    std::call_once(factoryInstalled, [] { QAccessible::installFactory(&LinkAccessible); });
    setCursor(Qt::PointingHandCursor);
    setTextFormat(Qt::PlainText);
    setFocusPolicy(Qt::StrongFocus);
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

void CStaticEx::Open() {
    if (m_bLink && m_openUrl) m_openUrl(LinkTarget(text()));
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
    if (event->button() == Qt::LeftButton) Open();
    QLabel::mousePressEvent(event);
}

void CStaticEx::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (m_bLink && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
        (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
        Open();
        event->accept();
        return;
    }
    QLabel::keyPressEvent(event);
}

void CStaticEx::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus()) return;
    QPainter painter(this);
    QStyleOptionFocusRect frame;
    frame.initFrom(this);
    frame.backgroundColor = palette().color(QPalette::Window);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter, this);
}
