#include "ui/manual_window.h"

#include <QFile>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "records/text_file.h"

namespace zelkor::ui {

frmManual::frmManual(const std::filesystem::path& file, QWidget* parent) : QDialog(parent) {
    setObjectName("frmManual");
    setWindowTitle(tr("Zelkor Manual"));
    auto* text = new QTextBrowser;
    text->setObjectName("txtManual");
    text->setOpenExternalLinks(true);
    // Read through the one data-file check, so a pipe in the manual's place cannot block.
    const std::optional<std::string> markdown = ReadDataFile(file, 1024 * 1024);
    if (markdown)
        text->setMarkdown(QString::fromStdString(*markdown));
    else
        text->setPlainText(
            tr("The manual could not be read from %1").arg(QFile::decodeName(file.c_str())));
    auto* ok = new QPushButton(tr("OK"));
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(ok, 0, Qt::AlignRight);
    resize(680, 640);
}

}  // namespace zelkor::ui
