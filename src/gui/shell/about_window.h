#pragma once
// The splash window at start-up, which is also the about window: a borderless window centred on the
// screen with the program's picture, its two caption lines and its version.
#include <QDialog>

class QLabel;

// The program's emblem (a dashboard gauge), also its window icon.
QPixmap ProgramIcon();

class TfrmAbout : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAbout(QWidget* parent = nullptr);

    // "версия " and the four parts of the program version.
    static QString versionLine();
    QLabel* picture() const { return imgLogo_; }

    // Shown without a modal loop while the program starts.
    void showAsSplash();

protected:
    void showEvent(QShowEvent* event) override;
    // As the about window: a click on the picture answers Cancel, anywhere else OK.
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* imgLogo_;
};
