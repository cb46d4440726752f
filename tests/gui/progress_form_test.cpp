#include "shell/progress_form.h"

#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

struct FakeOperation : ProgressSource {
    bool running = true;
    int value = 0;
    int aborts = 0;
    bool busy() const override { return running; }
    int percent() const override { return value; }
    void requestAbort() override { ++aborts; }
};

}  // namespace

TEST(ProgressForm, AbortOnlyRequestsAndTheWindowWaitsForTheOperation)
{
    TProgressForm form;
    FakeOperation op;
    op.value = 150;
    bool visibleAfterAbortAndClose = false;
    int barDuringRun = -1;
    QTimer::singleShot(300, [&] {
        form.abortButton()->click();
        form.reject();  // Escape
        form.close();   // close box
    });
    QTimer::singleShot(500, [&] {
        visibleAfterAbortAndClose = form.isVisible();
        barDuringRun = form.bar()->value();
        op.running = false;
    });
    form.follow(op, "Чтение протокола");
    EXPECT_EQ(op.aborts, 1);
    EXPECT_TRUE(visibleAfterAbortAndClose);
    EXPECT_EQ(barDuringRun, 100);  // capped
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.windowTitle(), QString("Чтение протокола"));
    EXPECT_EQ(form.abortButton()->text(), QString("Abort"));
}

TEST(ProgressForm, FinishedOperationReturnsAtOnceAndTheFormIsReusable)
{
    TProgressForm form;
    FakeOperation done;
    done.running = false;
    form.follow(done, "Сброс носителя");
    EXPECT_FALSE(form.isVisible());

    FakeOperation second;
    QTimer::singleShot(200, [&] {
        second.value = 40;
    });
    QTimer::singleShot(400, [&] { second.running = false; });
    form.follow(second, "Очистка носителя");
    EXPECT_EQ(form.bar()->value(), 40);
    EXPECT_EQ(form.windowTitle(), QString("Очистка носителя"));
}
