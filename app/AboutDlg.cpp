#include "app/AboutDlg.h"

#include <QLabel>
#include <QPushButton>

#include "app/AppIcon.h"
#include "app/DialogUnits.h"

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setFont(AboutDialogFont());
    const DialogBaseUnits base = BaseUnitsOf(font());
    setWindowTitle(QString::fromUtf8(kAboutTitle));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(DluSize(base, 235, 55));

    // The icon control takes the icon's own size at the template position.
    m_icon = new QLabel(this);
    m_icon->setObjectName(QStringLiteral("icon"));
    const QRect iconPlace = DluRect(base, 11, 17, 20, 20);
    m_icon->setGeometry(iconPlace.x(), iconPlace.y(), 32, 32);
    m_icon->setPixmap(AppIcon().pixmap(32, 32));

    m_version = new QLabel(QString::fromUtf8(kAboutVersionText), this);
    m_version->setObjectName(QStringLiteral("version"));
    m_version->setTextFormat(Qt::PlainText);
    m_version->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_version->setGeometry(DluRect(base, 40, 10, 119, 8));

    m_about = new QLabel(QString::fromUtf8(kAboutSecondLine), this);
    m_about->setObjectName(QStringLiteral("about"));
    m_about->setTextFormat(Qt::PlainText);
    m_about->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_about->setGeometry(DluRect(base, 40, 25, 119, 8));

    m_btnOk = new QPushButton(QStringLiteral("OK"), this);
    m_btnOk->setObjectName(QStringLiteral("ok"));
    m_btnOk->setGeometry(DluRect(base, 178, 7, 50, 14));
    m_btnOk->setDefault(true);
    connect(m_btnOk, &QPushButton::clicked, this, &QDialog::accept);
}

CAboutDlg::~CAboutDlg() = default;
