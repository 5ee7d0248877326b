#include "NoticeWindows.h"

#include "common/WindowScaling.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
struct NoticeText {
    const char* name;
    const char* caption;
    const char* line1;
    const char* line2;
    int width;
    int height;
};

// The texts differ in small details (full stops), and are shown exactly so.
const NoticeText kNotices[] = {
    {"Form4", "Hinweis", "Gerätetester reagiert nicht.", "Fernbedienung wird abgebrochen.", 230,
     173},
    {"Form5", "Hinweis", "Schnittstelle kann nicht aktiviert werden",
     "Bitte Schnittstellenauswahl überprüfen", 365, 201},
    {"Form6", "Hinweis", "Die Software-Versionen von Gerätetester und PC sind nicht kompatibel",
     "Die Fernbedienung wird abgebrochen.", 390, 197},
    {"Form7", "Hinweis", "Fehler bei der Datenübertragung vom Gerätetester",
     "Fernbedienung wird abgebrochen", 365, 201},
    {"Form8", "Form8", "Fernbedienung wurde durch den Gerätetester beendet", "(Fehlercode: Form8)",
     362, 190},
};

QLabel* addLine(QWidget* frame, const char* name, const char* text) {
    auto* label = new QLabel(QString::fromUtf8(text), frame);
    label->setObjectName(QLatin1String(name));
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    frame->layout()->addWidget(label);
    return label;
}
} // namespace

TesterNoticeWindow::TesterNoticeWindow(Notice notice, QWidget* parent)
    : QDialog(parent) {
    const NoticeText& text = kNotices[static_cast<int>(notice)];
    setObjectName(QLatin1String(text.name));
    setWindowTitle(QString::fromUtf8(text.caption));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setModal(true);

    auto* bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    auto* lines = new QVBoxLayout(bevel);
    // Narrow margins, so the lines fit the small windows unbroken.
    lines->setContentsMargins(4, 4, 4, 4);
    lines->addStretch();
    addLine(bevel, "Label1", text.line1);
    addLine(bevel, "Label2", text.line2);
    lines->addStretch();

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(bevel, 1);
    layout->addWidget(ok, 0, Qt::AlignHCenter);

    setFixedSize(text.width, text.height);
    scaleWindow(*this);
    setFixedSize(size());
}

void NoticeWindows::createWindows(QWidget* parent) {
    windows_ = {new TForm4(parent), new TForm5(parent), new TForm6(parent), new TForm7(parent),
                new TForm8(parent)};
}

void NoticeWindows::show(Notice notice) {
    if (QDialog* dialog = window(notice))
        dialog->exec();
}
