#pragma once

#include <QLabel>
#include <QUrl>
#include <functional>

// A label that acts as a hyperlink once its link switch is on: blue, underlined text on the
// button-face colour; a left click, Enter or Space opens its text as a URL, or as "mailto:" plus
// the text when the text is not a URL. It is a Tab stop with a focus frame, and a screen reader
// finds it as a link that can be pressed. The hand cursor shows over it whatever the switch.
class CStaticEx : public QLabel {
    Q_OBJECT
  public:
    explicit CStaticEx(QWidget* parent = nullptr);
    ~CStaticEx() override;

    void SetLink(bool on);
    bool IsLink() const { return m_bLink; }
    // Opens the link (when the switch is on).
    void Open();

    // Replaces the desktop's URL handler (tests).
    void SetUrlOpener(std::function<void(const QUrl&)> opener);

    // A scheme of two or more characters, a colon and something after it.
    static bool IsUrlText(const QString& text);
    // What a click opens for the given text.
    static QUrl LinkTarget(const QString& text);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    bool m_bLink = false;
    std::function<void(const QUrl&)> m_openUrl;
};
