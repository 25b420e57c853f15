// The README's pictures, taken on the offscreen platform: a game in progress with the
// score graph, the variant dialog and the options dialog. `make pictures` writes them
// into docs/images.
#include <QImage>
#include <QSet>
#include <QTabWidget>
#include <QtTest>
#include <cstdlib>

#include "game/board_marks.h"
#include "ui/options_dialog.h"
#include "ui/variant_dialog_window.h"
#include "window_fixture.h"

using namespace zelkor;
using namespace zelkor::test;

namespace {

void Save(const QImage& picture, const char* name) {
    QSet<QRgb> colours;
    for (int y = 0; y < picture.height(); y += 5)
        for (int x = 0; x < picture.width(); x += 5)
            colours.insert(picture.pixel(x, y));
    QVERIFY2(colours.size() > 8, name);
    const char* folder = std::getenv("ZELKOR_PICTURE_DIR");
    const std::filesystem::path dir = folder ? folder : ".";
    std::filesystem::create_directories(dir);
    QVERIFY(picture.save(QString::fromStdString((dir / name).string())));
}

// A picture of the dialog as the window opens it; the dialog is then cancelled.
QImage Shoot(QDialog* dialog) {
    dialog->show();
    QApplication::processEvents();
    const QImage picture = dialog->grab().toImage();
    dialog->hide();
    return picture;
}

}  // namespace

class TakePictures : public QObject {
    Q_OBJECT
  private slots:
    void gameInProgress() {
        WindowFixture f;
        f.window->resize(1100, 720);
        f.controller().settings().Notation = 0;
        f.action("mnuScoreGraph")->trigger();
        for (int i = 0; i < 6; ++i) {
            const QString move = f.FirstLegalMove();
            f.Drag(SquareOf(move.left(2)), SquareOf(move.mid(2)));
            QTRY_COMPARE(f.game().gamePly, 2 * (i + 1));
        }
        // The man that can go farthest is picked up: its reachable squares and jump paths
        // show beside the marked last move.
        int best = 0;
        size_t most = 0;
        for (int square : f.controller().MovableSquares()) {
            const size_t reach = ReachableSquares(f.game(), square).size();
            if (reach > most) {
                most = reach;
                best = square;
            }
        }
        const QPoint at = f.board().SquareRect(best).center();
        f.Hover(at);
        QTest::mousePress(&f.board(), Qt::LeftButton, {}, at);
        QApplication::processEvents();
        Save(f.window->grab().toImage(), "game.png");
        QTest::mouseRelease(&f.board(), Qt::LeftButton, {}, at);
    }

    void variantDialog() {
        WindowFixture f;
        bool shot = false;
        f.onDialog = [&shot](QDialog* dialog) {
            if (qobject_cast<ui::dlgVariants*>(dialog)) {
                Save(Shoot(dialog), "variants.png");
                shot = true;
            }
            return int(QDialog::Rejected);
        };
        f.action("NewVariant")->trigger();
        QVERIFY(shot);
    }

    void optionsDialog() {
        WindowFixture f;
        bool shot = false;
        f.onDialog = [&shot](QDialog* dialog) {
            if (qobject_cast<ui::frmOptions*>(dialog)) {
                Save(Shoot(dialog), "options.png");
                dialog->findChild<QTabWidget*>()->setCurrentIndex(1);
                Save(Shoot(dialog), "options-board.png");
                shot = true;
            }
            return int(QDialog::Rejected);
        };
        f.action("Options")->trigger();
        QVERIFY(shot);
    }
};

QTEST_MAIN(TakePictures)
#include "take_pictures.moc"
