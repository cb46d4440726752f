#include "kem_version.h"
#include "shell/about_window.h"
#include "shell/qt_interaction.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

TEST(QtInteraction, BoxesCarryTheirIconAndButtons)
{
    const std::tuple<QMessageBox::Icon, QMessageBox::StandardButtons, QStringList> cases[] = {
        {QMessageBox::Critical, QMessageBox::Cancel, {"Отмена"}},
        {QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, {"Да", "Нет"}},
        {QMessageBox::Question, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, {"Да", "Нет", "Отмена"}},
        {QMessageBox::Information, QMessageBox::Ok, {"OK"}},
    };
    for (const auto& [icon, buttons, texts] : cases) {
        std::unique_ptr<QMessageBox> box(QtInteraction::makeBox(nullptr, icon, "Ошибка", "E1126: <b>текст</b>", buttons));
        EXPECT_EQ(box->icon(), icon);
        QStringList shown;
        for (QAbstractButton* b : box->buttons()) shown << b->text();
        shown.sort();
        QStringList expected = texts;
        expected.sort();
        EXPECT_EQ(shown, expected);
        EXPECT_EQ(box->text(), QString("E1126: <b>текст</b>"));
        EXPECT_EQ(box->textFormat(), Qt::PlainText);  // texts with < or & show as they are
    }
}

namespace {

struct SeenBox {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString caption;
    QStringList buttons;
};

// Looks at the next message box once it is up and answers it with the button of the given text.
SeenBox* answerNextBox(const QString& buttonText)
{
    auto* seen = new SeenBox;
    QTimer::singleShot(0, [seen, buttonText] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        seen->icon = box->icon();
        seen->caption = box->windowTitle();
        for (QAbstractButton* b : box->buttons()) seen->buttons << b->text();
        seen->buttons.sort();
        for (QAbstractButton* b : box->buttons())
            if (b->text() == buttonText) b->click();
    });
    return seen;
}

}  // namespace

TEST(QtInteraction, EachKindOfMessageShowsItsBoxAndAnswers)
{
    QtInteraction ui;
    std::unique_ptr<SeenBox> seen(answerNextBox("Отмена"));
    ui.error("E1126: Ошибка записи");
    EXPECT_EQ(seen->icon, QMessageBox::Critical);
    EXPECT_EQ(seen->buttons, QStringList({"Отмена"}));
    EXPECT_EQ(seen->caption, QString("Ошибка"));

    seen.reset(answerNextBox("OK"));
    ui.warning("Носитель не пуст", "Внимание");
    EXPECT_EQ(seen->icon, QMessageBox::Warning);
    EXPECT_EQ(seen->caption, QString("Внимание"));

    seen.reset(answerNextBox("OK"));
    ui.information("Готово");
    EXPECT_EQ(seen->icon, QMessageBox::Information);
    EXPECT_EQ(seen->buttons, QStringList({"OK"}));

    seen.reset(answerNextBox("OK"));
    ui.plain("Внутренняя ошибка или не найден сервер базы данных FireBird!", "Ошибка!");
    EXPECT_EQ(seen->icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen->caption, QString("Ошибка!"));

    seen.reset(answerNextBox("Да"));
    EXPECT_TRUE(ui.askYesNo("Очистить носитель?"));
    EXPECT_EQ(seen->icon, QMessageBox::Question);
    EXPECT_EQ(seen->buttons, QStringList({"Да", "Нет"}));
    seen.reset(answerNextBox("Нет"));
    EXPECT_FALSE(ui.askYesNo("Очистить носитель?"));

    const std::pair<const char*, Interaction::Answer> threeWay[] = {
        {"Да", Interaction::Answer::Yes}, {"Нет", Interaction::Answer::No}, {"Отмена", Interaction::Answer::Cancel}};
    for (auto [button, answer] : threeWay) {
        seen.reset(answerNextBox(button));
        EXPECT_EQ(ui.askYesNoCancel("Сохранить изменения?"), answer) << button;
        EXPECT_EQ(seen->buttons, QStringList({"Да", "Нет", "Отмена"}));
    }
}

TEST(AboutWindow, VersionLineAndClickResults)
{
    EXPECT_EQ(TfrmAbout::versionLine(), QString("версия ") + KEM_VERSION_TEXT);
    EXPECT_EQ(QString(KEM_VERSION_TEXT).split('.').size(), 4);

    TfrmAbout about;
    auto* version = about.findChild<QLabel*>("lblVersion");
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->text(), TfrmAbout::versionLine());

    QTimer::singleShot(50, [&] { QTest::mouseClick(about.picture(), Qt::LeftButton); });
    EXPECT_EQ(about.exec(), QDialog::Rejected);
    QTimer::singleShot(50, [&] { QTest::mouseClick(version, Qt::LeftButton); });
    EXPECT_EQ(about.exec(), QDialog::Accepted);
}
