// The frame's menu bar: what TskForm does with a main menu.

#include "skin/menus/main_menu.h"
#include "skin/menus/menu_bar.h"
#include "skin/skin_form.h"

#include <QCoreApplication>
#include <QKeyEvent>

TskMainMenu* TskForm::Menu() const { return m_menu; }

void TskForm::SetMenu(TskMainMenu* menu)
{
    if (m_menu == menu)
        return;
    TskMainMenu* old = m_menu;
    m_menu = menu;
    if (old)
        old->SetHost(nullptr);
    if (menu) {
        menu->SetHost(this);
        if (!m_menuBar) {
            m_menuBar = new TskMenuBar(*this);
            m_menuBar->show();
            // Keys pressed anywhere in the window reach the menu first.
            QCoreApplication::instance()->installEventFilter(this);
        }
        UpdateMenu();
    } else if (m_menuBar) {
        QCoreApplication::instance()->removeEventFilter(this);
        delete m_menuBar;
        m_menuBar = nullptr;
    }
    PlaceMenuBar();
    if (m_formPanel && m_formPanel->parentWidget() == this)
        m_formPanel->setGeometry(ClientArea());
    update();
}

void TskForm::SetMenuBarColor(TColor color)
{
    m_menuBarColor = color;
    if (m_menuBar)
        m_menuBar->update();
}

void TskForm::SetMenuBarHeight(int height)
{
    m_menuBarHeight = height;
    PlaceMenuBar();
    if (m_formPanel && m_formPanel->parentWidget() == this)
        m_formPanel->setGeometry(ClientArea());
}

void TskForm::UpdateMenu()
{
    if (m_menuBar)
        m_menuBar->Rebuild();
}

void TskForm::UpdateTopMenu()
{
    if (m_menuBar)
        m_menuBar->UpdateTopItems();
}

void TskForm::RepaintMenuBar()
{
    if (m_menuBar) {
        m_menuBar->setFont(m_menuBar->BarFont());
        m_menuBar->update();
    }
}

bool TskForm::ProcessKeyPress(const QKeyEvent& key) { return m_menu && m_menu->ProcessKeyPress(key); }

void TskForm::PlaceMenuBar()
{
    if (!m_menuBar)
        return;
    const int top = TitleBarVisible() ? m_titleBar->height() : 0;
    m_menuBar->setGeometry(0, top, width(), m_menuBarHeight);
    m_menuBar->raise();
}
