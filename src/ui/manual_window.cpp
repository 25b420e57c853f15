#include "ui/manual_window.h"

#include <QFile>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace zelkor::ui {

frmManual::frmManual(const std::filesystem::path& file, QWidget* parent) : QDialog(parent) {
    setObjectName("frmManual");
    setWindowTitle("Zelkor Manual");
    auto* text = new QTextBrowser;
    text->setObjectName("txtManual");
    text->setOpenExternalLinks(true);
    QFile in(QString::fromStdString(file.string()));
    if (in.open(QIODevice::ReadOnly))
        text->setMarkdown(QString::fromUtf8(in.readAll()));
    else
        text->setPlainText(QString("The manual could not be read from %1: %2")
                               .arg(in.fileName(), in.errorString()));
    auto* ok = new QPushButton("OK");
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(ok, 0, Qt::AlignRight);
    resize(680, 640);
}

}  // namespace zelkor::ui
