#pragma once
// The splash window shown while the program connects to its database.

#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

class QLabel;

namespace Ui {
class TfrmSplash;
}

namespace app {

/// Borderless 470 × 294 window with the product picture and one status line, centred on the
/// screen. The message loop does not run during start-up, so every text change repaints at once.
class TfrmSplash : public QWidget
{
    Q_OBJECT
public:
    explicit TfrmSplash(QWidget* parent = nullptr);
    ~TfrmSplash() override;

    QLabel* Image1;
    QLabel* Label1;

    /// Sets the status line and paints it now.
    void ShowStatus(const QString& text);

    /// Called with every text the status line shows, the design text included (tests).
    using TextObserver = std::function<void(const QString&)>;
    static void SetTextObserver(TextObserver observer);

    /// The picture over the client area: the product's name on a soft gradient.
    static QPixmap drawPicture(const QSize& size);

private:
    std::unique_ptr<Ui::TfrmSplash> m_ui;
};

/// The splash window while it lives; nullptr before start-up creates it and after it closes.
extern TfrmSplash* frmSplash;

/// Sets the splash's status line when there is a splash.
void ShowSplashText(const QString& text);
/// Closes and frees the splash window; nothing when there is none.
void CloseSplash();

} // namespace app
