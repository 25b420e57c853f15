// In German, no window or dialog shows a translated text in English, nor overlaps anything.
#include <QAbstractButton>
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QXmlStreamReader>

#include "game/rules_text.h"
#include "picture_sum.h"
#include "records/book.h"
#include "records/book_games.h"
#include "records/settings.h"
#include "ui/translation.h"
#include "window_fixture.h"

using namespace zelkor;
using namespace zelkor::test;

namespace {

// Menus and buttons differ from their source only by the accelerator and the dots.
QString Plain(QString text) {
    text.remove('&');
    text = text.trimmed();
    if (text.endsWith("...")) text.chop(3);
    return text;
}

// The catalogue's English texts whose German differs, as expressions where %1, %2 ... match all.
struct EnglishTexts {
    QList<QRegularExpression> patterns;

    bool Matches(const QString& shown) const {
        for (const QString& line : shown.split('\n')) {
            const QString text = Plain(line);
            if (text.isEmpty()) continue;
            for (const QRegularExpression& pattern : patterns)
                if (pattern.match(text).hasMatch()) return true;
        }
        return false;
    }
};

EnglishTexts ReadEnglishTexts() {
    EnglishTexts english;
    QFile file(ZELKOR_SOURCE_DIR "/translations/zelkor_de.ts");
    if (!file.open(QIODevice::ReadOnly)) return english;
    QXmlStreamReader xml(&file);
    QString source;
    while (xml.readNextStartElement() || !xml.atEnd()) {
        if (!xml.isStartElement()) continue;
        if (xml.name() == u"source") {
            source = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (xml.name() == u"translation") {
            const QString german = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            if (german.isEmpty() || Plain(german) == Plain(source)) continue;
            for (const QString& line : source.split('\n')) {
                const QString text = Plain(line);
                if (text.isEmpty()) continue;
                QString expression = QRegularExpression::escape(text);  // escaped, "%1" reads \%1
                expression.replace(QRegularExpression("\\\\%\\d"), ".*");
                english.patterns << QRegularExpression(
                    QRegularExpression::anchoredPattern(expression));
            }
        }
    }
    return english;
}

// Every text `root` shows (titles, labels, buttons, boxes, tabs, lists, menus, tips), with where.
QStringList EnglishLeft(QWidget* root, const EnglishTexts& english) {
    QStringList found;
    auto check = [&](const QObject* at, const char* what, const QString& text) {
        if (english.Matches(text))
            found << QString("%1 %2: \"%3\"").arg(at->objectName(), what, text);
    };
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* w : widgets) {
        if (w->isWindow()) check(w, "windowTitle", w->windowTitle());
        // Labels', buttons' and fields' texts, group boxes' and menus' titles.
        for (const char* name : {"toolTip", "accessibleName", "text", "title", "placeholderText"})
            check(w, name, w->property(name).toString());
        if (auto* tabs = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < tabs->count(); ++i)
                check(w, "tab", tabs->tabText(i));
        if (auto* list = qobject_cast<QListWidget*>(w))
            for (int i = 0; i < list->count(); ++i)
                check(w, "line", list->item(i)->text());
        for (const QAction* action : w->actions()) {
            check(action, "action", action->text());
            check(action, "action tooltip", action->toolTip());
        }
    }
    return found;
}

// Widgets side by side never overlap, also in German, and a dialog shows a button; each named.
QStringList Overlapping(QWidget* root) {
    QStringList found;
    root->show();
    QList<QWidget*> parents = root->findChildren<QWidget*>();
    parents.prepend(root);
    const auto check = [&] {
        for (QWidget* parent : parents) {
            if (!parent->layout() || !parent->isVisibleTo(root)) continue;
            QList<QWidget*> placed;
            for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (!child->isWindow() && child->isVisibleTo(root)) placed << child;
            for (int i = 0; i < placed.size(); ++i)
                for (int j = i + 1; j < placed.size(); ++j)
                    if (placed[i]->geometry().intersects(placed[j]->geometry()))
                        found << QString("%1: %2 on %3")
                                     .arg(root->objectName(), placed[i]->objectName(),
                                          placed[j]->objectName());
        }
    };
    check();
    for (QTabWidget* tabs : root->findChildren<QTabWidget*>())  // every page in turn
        for (int page = 1; page < tabs->count(); ++page) {
            tabs->setCurrentIndex(page);
            check();
        }
    bool button = false;  // and each has a button of its own to close it
    for (const QAbstractButton* b : root->findChildren<QAbstractButton*>())
        button = button || (b->isVisibleTo(root) && qobject_cast<const QPushButton*>(b));
    if (!button) found << root->objectName() + ": no button";
    root->hide();
    return found;
}

}  // namespace

class TranslationTest : public QObject {
    Q_OBJECT
  private slots:
    void everyWindowSpeaksGerman() {
        const EnglishTexts english = ReadEnglishTexts();
        QVERIFY(english.patterns.size() > 230);
        {  // Without the catalogue the same walk finds the English texts: it would see any
           // left in the German window.
            WindowFixture f;
            const QStringList found = EnglishLeft(f.window.get(), english);
            QVERIFY2(found.size() > 60, qPrintable(found.join('\n')));
        }
        auto& app = *QCoreApplication::instance();
        QCOMPARE(ui::InstallTranslations(app, QLocale("en_US")), QString());
        QCOMPARE(ui::InstallTranslations(app, QLocale("de_AT")), QString("de"));
        WindowFixture f;
        QStringList found = EnglishLeft(f.window.get(), english);
        // Filled in after the translation: the numbers and names stand where German puts them.
        f.window->findChild<QAction*>("rating")->trigger();
        QCOMPARE(f.messages.back().title + ": " + f.messages.back().text,
                 std::string("Wertung: Ihre aktuelle Wertungszahl ist 1200"));
        Settings settings;
        std::tie(settings.Handicap, settings.UseDepth, settings.SearchDepth) = std::tuple(1, 1, 4);
        QCOMPARE(LevelText(settings, *f.window), std::string("Spielstärke: 9   Tiefe: 4 Halbz."));
        QCOMPARE(AnnouncementText(32001 - 6, *f.window),
                 std::string("Der Computer gewinnt in 3 Zügen! "));
        QCOMPARE(BookGamesLabel(1, *f.window), std::string(" 1 Partie"));
        QCOMPARE(f.text(zelkor::Display::Status), std::string("Weiß zieht"));
        QCOMPARE(LevelText(settings), std::string("Strength: 9   Depth: 4 ply"));  // the log's
        f.messages.clear();
        // The game's own words after a refused move, a move, the reply, a hint, a draw, a rating.
        f.Type("a1a2");
        f.Type(f.FirstLegalMove());
        QVERIFY(f.WaitIdle());
        for (const char* item : {"Pplayer", "Cplayer", "Hint", "Offerdraw", "rating"}) {
            f.action(item)->trigger();
            QVERIFY(f.WaitIdle());
            found << EnglishLeft(f.window.get(), english);
        }
        QStringList shown;
        for (const ShownMessage& m : f.messages) {
            shown << QString::fromStdString(m.title + ": " + m.text);
            if (english.Matches(QString::fromStdString(m.title + "\n" + m.text)))
                found << shown.back();
        }
        QVERIFY2(shown.size() == 5, qPrintable(shown.join('\n')));
        QStringList dialogs, pictures;
        f.onDialog = [&](QDialog* dialog) {
            dialogs << dialog->objectName();
            found << EnglishLeft(dialog, english) << Overlapping(dialog);
            // The program's own layouts pinned (no focus mark) with where they open.
            if (!QStringList({"frmOptions", "dlgVariants", "frmBook"})
                     .contains(dialog->objectName()))
                return int(QDialog::Rejected);
            if (QWidget* focused = dialog->focusWidget()) focused->clearFocus();
            const QPoint at = dialog->pos() - f.window->frameGeometry().topLeft();
            quint64 sum = PictureSum(dialog->grab().toImage());
            for (QTabWidget* tabs : dialog->findChildren<QTabWidget*>())  // every page
                for (int page = 0; page < tabs->count(); ++page) {
                    tabs->setCurrentIndex(page);
                    sum = PictureSum(dialog->grab().toImage(), sum);
                }
            pictures << SumText(sum) + QString(" %1,%2").arg(at.x()).arg(at.y());
            return int(QDialog::Rejected);
        };
        for (const char* item : {"Options", "NewVariant", "Rules", "mnuManual", "mnu_Help_About"})
            f.action(item)->trigger();
        f.window->ChooseBookMove({"c3d4   3"}, BookGamesLabel(3, *f.window),
                                 BookMovesLabel(1, *f.window));
        QCOMPARE(dialogs, QStringList({"frmOptions", "dlgVariants", "frmRules", "frmManual",
                                       "frmAbout", "frmBook"}));
        QCOMPARE(pictures.join(' '), QString("34331351d1fc9943 299,167 5872c704e2f4f1d1 -109,156 "
                                             "f1e1f9f1a7fc9cd9 340,66"));
        // The rules in force with every rule off and on, sliding or not: no line as in English.
        VariantRules rules = f.game().active;
        for (int k = 0; k < 4; ++k) {
            rules.flags.fill(static_cast<uint8_t>(k / 2));
            rules.flags[LongKings] = static_cast<uint8_t>(k % 2);
            const QString text = QString::fromStdString(RulesInForceText(rules, true, *f.window));
            for (const QString& line :
                 QString::fromStdString(RulesInForceText(rules, true)).split('\n'))
                if (text.contains(line) || english.Matches(text)) found << line;
        }
        QVERIFY2(found.isEmpty(), qPrintable(found.join('\n')));
        // The German manual ships beside the English one; another language reads English.
        const std::filesystem::path manual = ShippedDataDir() / "manual.md";
        QCOMPARE(ui::ManualIn(manual, "de"), ShippedDataDir() / "manual_de.md");
        QCOMPARE(ui::ManualIn(manual, "fr"), manual);
    }
};

QTEST_MAIN(TranslationTest)
#include "translation_test.moc"
