#include "about_window.h"

#include "kem_version.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

// Drawn, so that no picture file has to travel with the program.
QPixmap ProgramIcon()
{
    QPixmap pm(120, 120);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient face(60, 60, 58);
    face.setColorAt(0, QColor(70, 110, 170));
    face.setColorAt(1, QColor(20, 40, 80));
    p.setBrush(face);
    p.setPen(QPen(QColor(200, 210, 225), 3));
    p.drawEllipse(QPointF(60, 60), 56, 56);
    p.setPen(QPen(Qt::white, 2));
    p.translate(60, 60);
    for (int i = 0; i <= 10; ++i) {
        p.save();
        p.rotate(-135 + i * 27);
        p.drawLine(0, -48, 0, i % 5 == 0 ? -38 : -43);
        p.restore();
    }
    p.setPen(QPen(QColor(255, 120, 40), 4, Qt::SolidLine, Qt::RoundCap));
    p.rotate(35);
    p.drawLine(0, 8, 0, -40);
    p.setBrush(QColor(220, 220, 230));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(0, 0), 6, 6);
    return pm;
}

namespace {

QLabel* captionLabel(const QString& text, int pointSize, bool bold, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    QFont f = l->font();
    f.setPointSize(pointSize);
    f.setBold(bold);
    l->setFont(f);
    l->setAlignment(Qt::AlignCenter);
    return l;
}

}  // namespace

TfrmAbout::TfrmAbout(QWidget* parent) : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog)
{
    setObjectName("frmAbout");
    setWindowTitle("О программе");
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(235, 240, 248));
    setPalette(pal);
    setStyleSheet("TfrmAbout { border: 2px solid rgb(60, 90, 140); }");

    imgLogo_ = new QLabel(this);
    imgLogo_->setObjectName("imgLogo");
    imgLogo_->setPixmap(ProgramIcon());
    imgLogo_->setAlignment(Qt::AlignCenter);
    imgLogo_->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(40, 24, 40, 20);
    layout->setSpacing(6);
    layout->addWidget(imgLogo_);
    layout->addSpacing(8);
    layout->addWidget(captionLabel("Система регистрации", 16, true, this));
    layout->addWidget(captionLabel("параметров автомобилей", 16, true, this));
    layout->addSpacing(10);
    auto* version = captionLabel(versionLine(), 10, false, this);
    version->setObjectName("lblVersion");
    layout->addWidget(version);
    setFixedSize(sizeHint().expandedTo(QSize(380, 0)));
}

QString TfrmAbout::versionLine() { return QStringLiteral("версия ") + QStringLiteral(KEM_VERSION_TEXT); }

void TfrmAbout::showEvent(QShowEvent* event)
{
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
}

void TfrmAbout::showAsSplash()
{
    show();
    raise();
    repaint();
}

void TfrmAbout::mousePressEvent(QMouseEvent* event)
{
    if (isModal()) accept();
    QDialog::mousePressEvent(event);
}

bool TfrmAbout::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == imgLogo_ && event->type() == QEvent::MouseButtonPress && isModal()) {
        reject();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
