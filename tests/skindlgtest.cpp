// The skin chooser driven by key presses: its rows, Back, declining and confirming a skin, and a
// preview of the current row that returns to the same row.

#include "setup/skindlg.h"
#include "installedlanguage.h"
#include "keyscript.h"
#include "platform/widgets/zlistbox.h"
#include "platform/widgets/zlistboxitem.h"
#include "platform/widgets/zmessagedlg.h"
#include "platform/widgets/zsoftkey.h"
#include "setup/appdir.h"
#include "setup/showpreview.h"
#include "stdoutcapture.h"
#include "testsupport.h"

#include <QtTest>

#include <optional>

namespace {

const QByteArray Language = "[LNG]\nFT_CHG_THEME=Change theme\nFT_PREVIEW=Preview\nFT_BACK=Back\n"
                            "FT_AUTHOR=By:\nFT_CONFIRM_USE=Use \nFT_THEME_PREVIEW=Theme preview\n";

/** A device root with three skins, the application's folder with its skin image and a language file. */
class ChooserFixture
{
public:
    ChooserFixture(bool withSkins = true)
    {
        root.writeImage(QStringLiteral("/app/img/skin.png"), 20, 16, Qt::green);
        root.writeFile(QStringLiteral("/app/en-us.lng"), Language);
        root.writeFile(QStringLiteral("/ezxlocal/Kestrow/Kestrow.cfg"), "[Main]\nSkin=alpha\n");
        if (withSkins) {
            root.writeSkin(QStringLiteral("alpha"), "[General]\nSkinName=Alpha\nAuthor=Ann\n");
            root.writeSkin(QStringLiteral("Zed"), "[General]\nSkinName=Zed\n");
            root.writeSkin(QStringLiteral("moon"), "[General]\nAuthor=Mo\n");
        }
        AppDir::setFirstArgument(root.path(QStringLiteral("/app/kestrow-setup")));
        language.emplace(root.path(QStringLiteral("/app/en-us.lng")));
    }

    QByteArray settings() const
    {
        QFile file(root.path(QStringLiteral("/ezxlocal/Kestrow/Kestrow.cfg")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    TempDeviceRoot root;
    std::optional<InstalledLanguage> language;
};

const KeyScript::Finder Chooser = KeyScript::window<skinDlg>();
const KeyScript::Finder Question = KeyScript::window<ZMessageDlg>();
const KeyScript::Finder Preview = KeyScript::window<showPreview>();

} // namespace

class SkinDlgTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rows();
    void closing_data();
    void closing();
    void previewReturnsToTheSameRow();
};

void SkinDlgTest::rows()
{
    ChooserFixture fixture;
    StdoutCapture out;
    skinDlg chooser;
    QCOMPARE(chooser.title(), QStringLiteral("Change theme"));
    ZListBox *list = chooser.listBox();
    QCOMPARE(list->count(), 3);
    const QStringList first { QStringLiteral("Zed"), QStringLiteral("Alpha"), QString() };
    const QStringList second { QStringLiteral("By:"), QStringLiteral("By:Ann"), QStringLiteral("By:Mo") };
    for (int row = 0; row < 3; ++row) {
        QCOMPARE(list->item(row)->subItem(1, 0), first[row]);
        QCOMPARE(list->item(row)->subItem(1, 1), second[row]);
        QCOMPARE(list->item(row)->pixmap(0).size(), QSize(20, 16));
    }
    QCOMPARE(chooser.softKey()->text(ZSoftKey::LEFT), QStringLiteral("Preview"));
    QCOMPARE(chooser.softKey()->text(ZSoftKey::RIGHT), QStringLiteral("Back"));
    QVERIFY(!chooser.isCancelled());
    QVERIFY(chooser.chosenSkin().isEmpty());
}

void SkinDlgTest::closing_data()
{
    QTest::addColumn<bool>("withSkins");
    QTest::addColumn<QString>("script");
    QTest::addColumn<bool>("cancelled");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QByteArray>("said");

    // Script letters: c = chooser, q = confirmation; then the keys.
    QTest::newRow("back") << true << "c:F2" << true << QString() << QByteArray("slot quite\n");
    QTest::newRow("confirm with Return gives the folder name")
        << true << "c:Down Return|q:Return" << false << QStringLiteral("alpha")
        << QByteArray("click item 1\n");
    QTest::newRow("decline keeps the chooser open, then confirm with F1")
        << true << "c:Down Down Return|q:Escape|c:Up Return|q:F1" << false << QStringLiteral("alpha")
        << QByteArray("click item 2\nclick item 1\n");
    QTest::newRow("decline, then back")
        << true << "c:Return|q:F2|c:Escape" << true << QString() << QByteArray("click item 0\nslot quite\n");
    QTest::newRow("no skins: preview does nothing, back closes")
        << false << "c:F1 F2" << true << QString() << QByteArray("slot quite\n");
}

void SkinDlgTest::closing()
{
    QFETCH(bool, withSkins);
    QFETCH(QString, script);
    QFETCH(bool, cancelled);
    QFETCH(QString, chosen);
    QFETCH(QByteArray, said);

    ChooserFixture fixture(withSkins);
    const QByteArray settingsBefore = fixture.settings();
    StdoutCapture out;
    skinDlg chooser;
    KeyScript keys;
    for (const QString &step : script.split(QLatin1Char('|'))) {
        std::vector<int> codes;
        for (const QString &name : step.mid(2).split(QLatin1Char(' ')))
            codes.push_back(QKeySequence::fromString(name)[0].key());
        keys.press(step.startsWith(QLatin1Char('c')) ? Chooser : Question, codes, step);
    }
    keys.start();
    chooser.exec();
    const QByteArray text = out.text();
    QVERIFY2(keys.failure().isEmpty(), qPrintable(keys.failure()));
    QVERIFY(keys.finished());
    QCOMPARE(chooser.isCancelled(), cancelled);
    QCOMPARE(chooser.chosenSkin(), chosen);
    // The scan's lines first, then what the keys did.
    QVERIFY2(text.endsWith(said), text.constData());
    // The chooser only chooses: the settings file is the main menu's to write.
    QCOMPARE(fixture.settings(), settingsBefore);
}

void SkinDlgTest::previewReturnsToTheSameRow()
{
    ChooserFixture fixture;
    const QByteArray settingsBefore = fixture.settings();
    StdoutCapture out;
    skinDlg chooser;
    QString shown;
    int rowAfter = -1;
    KeyScript keys;
    keys.press(Chooser, { Qt::Key_Down, Qt::Key_Down, Qt::Key_F1 }, QStringLiteral("preview the third row"))
        .with(
            Preview, [&shown](QWidget *w) { shown = static_cast<showPreview *>(w)->skinDirName(); },
            QStringLiteral("the preview"))
        .press(Preview, { Qt::Key_F2 }, QStringLiteral("back from the preview"))
        .with(
            Chooser, [&rowAfter, &chooser](QWidget *) { rowAfter = chooser.listBox()->currentItem(); },
            QStringLiteral("the chooser again"))
        .press(Chooser, { Qt::Key_F2 }, QStringLiteral("back from the chooser"));
    keys.start();
    chooser.exec();
    const QByteArray text = out.text();
    QVERIFY2(keys.failure().isEmpty(), qPrintable(keys.failure()));
    QCOMPARE(shown, QStringLiteral("moon"));
    QCOMPARE(rowAfter, 2);
    QVERIFY(chooser.isCancelled());
    QVERIFY2(text.contains("===== cur dir moon =======\n====== mSkinDir moon=======\n"
                           "======= skin cfg /ezxlocal/Kestrow/skin//moon/skin.cfg=======\n"),
        text.constData());
    QCOMPARE(fixture.settings(), settingsBefore);
}

QTEST_MAIN(SkinDlgTest)
#include "skindlgtest.moc"
