#pragma once

#include "app/aFrm.h"

#include <QCameraDevice>
#include <QImage>
#include <QList>
#include <QVideoFrame>
#include <functional>
#include <memory>

class QCamera;
class QLabel;
class QMediaCaptureSession;
class QPushButton;
class QStackedWidget;
class QVideoWidget;
class TlwComboBox;

// The camera window "照相": a live preview of the chosen camera on the left, the frame taken with
// "视频采集>>" on the right, and "保存图片" handing that picture to the reader dialog.
class TPicapFrm : public TaFrm
{
    Q_OBJECT

public:
    // Given the picture to keep; true accepts it and closes the window.
    using TAccept = std::function<bool(const QImage& image)>;

    explicit TPicapFrm(QWidget* parent = nullptr);
    ~TPicapFrm() override;

    void SetOnAccept(TAccept accept) { m_accept = std::move(accept); }

    // The text of a camera that names no description of its own.
    static QString DeviceName(const QCameraDevice& device);

    // Whether a camera is running and showing its picture.
    bool PreviewOpen() const;
    // The picture taken so far; null while there is none.
    const QImage& Picture() const { return m_picture; }

    // Each frame the camera delivers; the newest is what "视频采集>>" takes.
    void OnFrame(const QVideoFrame& frame);
    // "视频采集>>": copies the current frame into the picture; nothing without a running camera.
    void Capture();
    // "保存图片".
    void SavePicture();
    // "清除图片".
    void ClearPicture();

    TlwComboBox* cbxDevice1() const { return m_devices; }
    QLabel* lblNoCamera1() const { return m_noCamera; }
    QLabel* imgPicture1() const { return m_pictureLabel; }
    QPushButton* btnCapture1() const { return m_captureBtn; }
    QPushButton* btnSave1() const { return m_saveBtn; }
    QPushButton* btnClear1() const { return m_clearBtn; }
    QPushButton* btnCancel1() const { return m_cancelBtn; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Opens the preview of the device chosen in the drop-down, closing any other first.
    void openPreview();
    void closePreview();
    void showNoCamera(const QString& text);
    void showPicture();

    TAccept m_accept;
    QList<QCameraDevice> m_cameras;
    std::unique_ptr<QMediaCaptureSession> m_session;
    std::unique_ptr<QCamera> m_camera;
    QVideoFrame m_frame;
    QImage m_picture;
    bool m_opened = false;

    TlwComboBox* m_devices = nullptr;
    QStackedWidget* m_preview = nullptr;
    QVideoWidget* m_video = nullptr;
    QLabel* m_noCamera = nullptr;
    QLabel* m_pictureLabel = nullptr;
    QPushButton* m_captureBtn = nullptr;
    QPushButton* m_saveBtn = nullptr;
    QPushButton* m_clearBtn = nullptr;
    QPushButton* m_cancelBtn = nullptr;
};

// Shows the camera window; true when a picture was saved, `image` then holding it.
bool TakePicture(QImage& image, QWidget* parent = nullptr);
