// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QImage>

// The picture of the one selected file, drawn stretched over the whole window. Hidden, it
// only remembers the path; shown, it loads it. Its placement is kept in the user settings.
class CPictureViewer : public QDialog {
    Q_OBJECT
public:
    explicit CPictureViewer(QWidget* parent = nullptr);
    ~CPictureViewer() override;

    // The file to show for a selected entry (empty: none).
    void ShowFile(const QByteArray& nativePath);
    [[nodiscard]] bool Loaded() const { return !m_picture.isNull(); }
    [[nodiscard]] QByteArray ShownFile() const { return m_shownFile; }

signals:
    // The user closed the viewer.
    void Closed();
    void HelpRequested(const QString& page);

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Load();
    void SavePlacement() const;

    QByteArray m_path;
    QByteArray m_shownFile;
    QImage m_picture;
    bool m_placed = false;
};
