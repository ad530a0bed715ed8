#include "AppTestSupport.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "Cp932.h"

DialogFixture::DialogFixture() : m_location(m_settingsFolder.path(), m_settingsFolder.path()) {
    Start();
}

DialogFixture::~DialogFixture() = default;

CVesmerDlg& DialogFixture::Start() {
    m_dialog.reset();
    const VesmerDlgServices services{m_presenter,
                                     m_location,
                                     m_prompt,
                                     m_opener,
                                     m_starter,
                                     [] { return kToday; },
                                     m_settingsFolder.path(),
                                     m_programFolder.path()};
    m_dialog = std::make_unique<CVesmerDlg>(services);
    return *m_dialog;
}

void DialogFixture::Choose(int comboId, int index) const {
    QComboBox* combo = Control<QComboBox>(comboId);
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

void DialogFixture::SetText(int editId, const QString& text) const {
    Control<QLineEdit>(editId)->setText(text);
}

void DialogFixture::SetChecked(int checkId, bool checked) const {
    Control<QCheckBox>(checkId)->setChecked(checked);
}

void DialogFixture::Calculate() const {
    Control<QPushButton>(1)->click();
}

QString DialogFixture::BoxText() const {
    return Control<QPlainTextEdit>(1004)->toPlainText();
}

QString DialogFixture::SettingsPath(const char* fileName) const {
    return QDir(m_settingsFolder.path()).filePath(QString::fromUtf8(fileName));
}

QByteArray DialogFixture::ReadSettings(const char* fileName) const {
    QFile file(SettingsPath(fileName));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

void DialogFixture::WriteSettings(const char* fileName, const std::string& utf8Text) const {
    QFile file(SettingsPath(fileName));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(ToCp932(utf8Text));
}

bool DialogFixture::SettingsExist() const {
    return QFile::exists(SettingsPath(kHistoryFileName)) ||
           QFile::exists(SettingsPath(kDialogStateFileName));
}

QByteArray IniBytes(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return ToCp932(text);
}
