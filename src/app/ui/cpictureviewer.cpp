// SPDX-License-Identifier: GPL-3.0-or-later
#include "cpictureviewer.h"

#include "app/session/cusersettings.h"
#include "app/session/picturecandidates.h"

#include "platform/nativename.h"

#include <QBuffer>
#include <QCloseEvent>
#include <QImageReader>
#include <QKeyEvent>
#include <QPainter>

CPictureViewer::CPictureViewer(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Picture Viewer"));
    setWindowTitle(QStringLiteral("No picture!"));
    setSizeGripEnabled(true);
    resize(320, 240);
}

CPictureViewer::~CPictureViewer() {
    if (m_placed)
        SavePlacement();
}

void CPictureViewer::ShowFile(const QByteArray& nativePath) {
    m_path = nativePath;
    if (isVisible())
        Load();
}

void CPictureViewer::Load() {
    m_picture = QImage();
    m_shownFile = PictureFileToShow(m_path);
    if (!m_shownFile.isEmpty()) {
        // Read by its exact bytes: a file name need not be valid UTF-8.
        QByteArray bytes = ReadPictureFile(m_shownFile);
        QBuffer buffer(&bytes);
        if (buffer.open(QIODevice::ReadOnly)) {
            QImageReader reader(&buffer);
            reader.setDecideFormatFromContent(true);
            m_picture = reader.read();
        }
    }
    setWindowTitle(Loaded() ? ShownName(DecodeNativeName(m_shownFile))
                            : QStringLiteral("No picture!"));
    update();
}

void CPictureViewer::showEvent(QShowEvent* event) {
    if (!m_placed) {
        m_placed = true;
        const std::optional<WINDOWPLACEMENT> placement = CUserSettings().PictureViewerPlacement();
        if (placement && placement->right > placement->left && placement->bottom > placement->top)
            setGeometry(placement->left, placement->top, placement->right - placement->left,
                        placement->bottom - placement->top);
    }
    QDialog::showEvent(event);
    Load();
}

void CPictureViewer::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    if (!Loaded())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), m_picture);
}

void CPictureViewer::closeEvent(QCloseEvent* event) {
    SavePlacement();
    QDialog::closeEvent(event);
    emit Closed();
}

void CPictureViewer::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        emit HelpRequested(QStringLiteral("PictureViewer.htm"));
        return;
    }
    // Escape would close the viewer without telling the window; it hides like the close box.
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CPictureViewer::SavePlacement() const {
    const QRect frame = geometry();
    WINDOWPLACEMENT placement;
    placement.left = frame.left();
    placement.top = frame.top();
    placement.right = frame.left() + frame.width();
    placement.bottom = frame.top() + frame.height();
    CUserSettings settings;
    settings.SetPictureViewerPlacement(placement);
}
