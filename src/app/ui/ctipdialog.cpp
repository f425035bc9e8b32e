// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctipdialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

QString NextTip(const QByteArray& tips, int& position) {
    if (position < 0 || position >= tips.size())
        position = 0;
    for (int pass = 0; pass < 2; ++pass) {
        while (position < tips.size()) {
            int end = tips.indexOf('\n', position);
            if (end < 0)
                end = static_cast<int>(tips.size());
            const QByteArray line = tips.mid(position, end - position).trimmed();
            position = end + 1;
            if (!line.isEmpty())
                return QString::fromUtf8(line);
        }
        position = 0;
    }
    return QString();
}

CTipDialog::CTipDialog(const QString& preferencesPath, QWidget* parent)
    : QDialog(parent), m_preferencesPath(preferencesPath), m_tip(new QLabel),
      m_startUp(new QCheckBox(QStringLiteral("&Show tips at start-up"))) {
    setWindowTitle(QStringLiteral("Tip of the Day"));
    ReadTipState(preferencesPath, m_state);
    QFile file(QStringLiteral(":/tips.txt"));
    if (file.open(QIODevice::ReadOnly))
        m_tips = file.readAll();

    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(QStringLiteral("<b>Did you know...</b>"), this);
    layout->addWidget(heading);
    m_tip->setParent(this);
    m_tip->setWordWrap(true);
    m_tip->setMinimumSize(420, 90);
    m_tip->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    layout->addWidget(m_tip, 1);
    m_startUp->setParent(this);
    m_startUp->setChecked(m_state.startUp != 0);
    layout->addWidget(m_startUp);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, Qt::Horizontal, this);
    QPushButton* next =
        buttons->addButton(QStringLiteral("&Next Tip"), QDialogButtonBox::ActionRole);
    connect(next, &QPushButton::clicked, this, &CTipDialog::ShowNextTip);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::accept);
    layout->addWidget(buttons);
    ShowNextTip();
}

CTipDialog::~CTipDialog() {
    m_state.startUp = m_startUp->isChecked() ? 1 : 0;
    if (!m_preferencesPath.isEmpty())
        WriteTipState(m_preferencesPath, m_state);
}

QString CTipDialog::Tip() const {
    return m_tip->text();
}

void CTipDialog::ShowNextTip() {
    int position = m_state.filePos;
    m_tip->setText(NextTip(m_tips, position));
    m_state.filePos = position;
}
