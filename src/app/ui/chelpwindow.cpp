// SPDX-License-Identifier: GPL-3.0-or-later
#include "chelpwindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

CHelpWindow::CHelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), m_browser(new QTextBrowser), m_find(new QLineEdit) {
    setWindowTitle(QStringLiteral("Quorvin Help"));
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    auto* contents = new QPushButton(QStringLiteral("&Contents"), this);
    auto* index = new QPushButton(QStringLiteral("&Index"), this);
    auto* back = new QPushButton(QStringLiteral("&Back"), this);
    bar->addWidget(contents);
    bar->addWidget(index);
    bar->addWidget(back);
    bar->addStretch(1);
    auto* findLabel = new QLabel(QStringLiteral("&Find:"), this);
    findLabel->setBuddy(m_find);
    bar->addWidget(findLabel);
    m_find->setAccessibleName(QStringLiteral("Find"));
    m_find->setClearButtonEnabled(true);
    bar->addWidget(m_find);
    layout->addLayout(bar);
    m_browser->setParent(this);
    m_browser->setSearchPaths({QStringLiteral(":/help")});
    m_browser->setOpenExternalLinks(true);
    layout->addWidget(m_browser, 1);
    connect(contents, &QPushButton::clicked, this,
            [this] { ShowPage(QStringLiteral("index.htm")); });
    connect(index, &QPushButton::clicked, this, [this] { ShowPage(QStringLiteral("topics.htm")); });
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_find, &QLineEdit::returnPressed, this, [this] { Find(m_find->text()); });
    resize(760, 600);
}

void CHelpWindow::ShowPage(const QString& page) {
    m_browser->setSource(QUrl(QStringLiteral("qrc:/help/") + page));
}

void CHelpWindow::FocusFind() {
    m_find->setFocus();
    m_find->selectAll();
}

bool CHelpWindow::Find(const QString& text) {
    if (text.isEmpty())
        return false;
    if (m_browser->find(text))
        return true;
    m_browser->moveCursor(QTextCursor::Start);
    return m_browser->find(text);
}
