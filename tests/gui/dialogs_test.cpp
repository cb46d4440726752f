#include "kem_version.h"
#include "shell/about_window.h"
#include "shell/qt_interaction.h"

#include <QAbstractButton>
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
