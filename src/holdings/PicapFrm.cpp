#include "holdings/PicapFrm.h"

#include "app/LwComboBox.h"

#include <QCamera>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMediaCaptureSession>
#include <QMediaDevices>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <QVideoSink>
#include <QVideoWidget>

using namespace Qt::StringLiterals;

namespace {

const QSize kPreviewSize(320, 240);
const QString kNoCamera = u"没有找到摄像头"_s;

} // namespace

TPicapFrm::TPicapFrm(QWidget* parent) : TaFrm(parent)
{
    setObjectName(u"PicapFrm"_s);
    setWindowTitle(u"照相"_s);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    SetPosition(TPosition::CenterOwner);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);

    auto* deviceRow = new QHBoxLayout;
    auto* deviceLabel = new QLabel(u"视频设备:"_s, this);
    m_devices = new TlwComboBox(this);
    m_devices->setObjectName(u"cbxDevice1"_s);
    m_devices->setMinimumWidth(240);
    deviceLabel->setBuddy(m_devices);
    deviceRow->addWidget(deviceLabel);
    deviceRow->addWidget(m_devices, 1);
    deviceRow->addStretch(1);
    layout->addLayout(deviceRow);

    auto* panels = new QHBoxLayout;
    m_preview = new QStackedWidget(this);
    m_preview->setObjectName(u"pnlPreview1"_s);
    m_preview->setFixedSize(kPreviewSize);
    m_preview->setFrameShape(QFrame::StyledPanel);
    m_noCamera = new QLabel(m_preview);
    m_noCamera->setObjectName(u"lblNoCamera1"_s);
    m_noCamera->setAlignment(Qt::AlignCenter);
    m_noCamera->setWordWrap(true);
    m_preview->addWidget(m_noCamera);
    m_video = new QVideoWidget(m_preview);
    m_video->setObjectName(u"vidPreview1"_s);
    m_preview->addWidget(m_video);
    panels->addWidget(m_preview);

    m_captureBtn = new QPushButton(u"视频采集>>"_s, this);
    m_captureBtn->setObjectName(u"btnCapture1"_s);
    m_captureBtn->setAutoDefault(false);
    panels->addWidget(m_captureBtn, 0, Qt::AlignVCenter);

    m_pictureLabel = new QLabel(this);
    m_pictureLabel->setObjectName(u"imgPicture1"_s);
    m_pictureLabel->setFixedSize(kPreviewSize);
    m_pictureLabel->setFrameShape(QFrame::StyledPanel);
    m_pictureLabel->setAlignment(Qt::AlignCenter);
    panels->addWidget(m_pictureLabel);
    layout->addLayout(panels);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    const auto newButton = [&](const QString& caption, const QString& name) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(name);
        button->setAutoDefault(false);
        buttons->addWidget(button);
        return button;
    };
    m_saveBtn = newButton(u"保存图片"_s, u"btnSave1"_s);
    m_clearBtn = newButton(u"清除图片"_s, u"btnClear1"_s);
    m_cancelBtn = newButton(u"取消"_s, u"btnCancel1"_s);
    layout->addLayout(buttons);

    connect(m_captureBtn, &QPushButton::clicked, this, &TPicapFrm::Capture);
    connect(m_saveBtn, &QPushButton::clicked, this, &TPicapFrm::SavePicture);
    connect(m_clearBtn, &QPushButton::clicked, this, &TPicapFrm::ClearPicture);
    connect(m_cancelBtn, &QPushButton::clicked, this, &TPicapFrm::reject);

    m_cameras = QMediaDevices::videoInputs();
    for (const QCameraDevice& device : std::as_const(m_cameras))
        m_devices->addItem(DeviceName(device));
    m_devices->setCurrentIndex(m_cameras.isEmpty() ? -1 : 0);
    connect(m_devices, &QComboBox::activated, this, [this] {
        if (m_opened)
            openPreview();
    });

    showNoCamera(kNoCamera);
    showPicture();
}

TPicapFrm::~TPicapFrm()
{
    closePreview();
}

QString TPicapFrm::DeviceName(const QCameraDevice& device)
{
    const QString description = device.description().trimmed();
    return description.isEmpty() ? u"USB 视频设备"_s : description;
}

bool TPicapFrm::PreviewOpen() const
{
    return m_camera && m_camera->isActive();
}

void TPicapFrm::showEvent(QShowEvent* event)
{
    TaFrm::showEvent(event);
    // The camera starts with the first showing and runs until the window goes.
    if (!m_opened) {
        m_opened = true;
        openPreview();
    }
}

void TPicapFrm::showNoCamera(const QString& text)
{
    m_noCamera->setText(text);
    m_preview->setCurrentWidget(m_noCamera);
}

void TPicapFrm::openPreview()
{
    closePreview();
    const int index = m_devices->currentIndex();
    if (index < 0 || index >= m_cameras.size()) {
        showNoCamera(kNoCamera);
        return;
    }
    m_session = std::make_unique<QMediaCaptureSession>();
    m_camera = std::make_unique<QCamera>(m_cameras.at(index));
    connect(m_camera.get(), &QCamera::errorOccurred, this, [this](QCamera::Error, const QString& text) {
        m_frame = QVideoFrame();
        showNoCamera(u"摄像头无法打开: %1"_s.arg(text));
    });
    m_session->setCamera(m_camera.get());
    m_session->setVideoOutput(m_video);
    connect(m_video->videoSink(), &QVideoSink::videoFrameChanged, this, &TPicapFrm::OnFrame);
    m_preview->setCurrentWidget(m_video);
    m_camera->start();
}

void TPicapFrm::closePreview()
{
    if (m_video && m_video->videoSink())
        disconnect(m_video->videoSink(), &QVideoSink::videoFrameChanged, this, &TPicapFrm::OnFrame);
    if (m_camera)
        m_camera->stop();
    m_session.reset();
    m_camera.reset();
    m_frame = QVideoFrame();
}

void TPicapFrm::OnFrame(const QVideoFrame& frame)
{
    m_frame = frame;
}

void TPicapFrm::Capture()
{
    if (!m_frame.isValid())
        return;
    const QImage image = m_frame.toImage();
    if (image.isNull())
        return;
    // a plain RGB picture: it is stored as a bitmap
    m_picture = image.convertToFormat(QImage::Format_RGB32);
    showPicture();
}

void TPicapFrm::showPicture()
{
    if (m_picture.isNull()) {
        m_pictureLabel->setPixmap(QPixmap());
        m_pictureLabel->setText(u"没 有 图 像"_s);
        return;
    }
    m_pictureLabel->setPixmap(QPixmap::fromImage(
        m_picture.scaled(m_pictureLabel->contentsRect().size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void TPicapFrm::SavePicture()
{
    if (m_accept && m_accept(m_picture))
        accept();
}

void TPicapFrm::ClearPicture()
{
    m_picture = QImage();
    showPicture();
}

bool TakePicture(QImage& image, QWidget* parent)
{
    TPicapFrm form(parent);
    QImage taken;
    form.SetOnAccept([&taken](const QImage& picture) {
        // an empty picture is nothing to keep
        if (picture.isNull())
            return false;
        taken = picture;
        return true;
    });
    if (form.exec() != QDialog::Accepted)
        return false;
    image = taken;
    return true;
}
