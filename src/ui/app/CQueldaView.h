#pragma once
// Base of every child window's view: the shared document reaches all of them
// with one update broadcast.
#include <QWidget>
#include <cstddef>
#include <cstdint>
#include <string>

#include "config/Settings.h"

class CQueldaChildFrame;
class CTERMDoc;
class IViewContext;

class CQueldaView : public QWidget {
    Q_OBJECT
public:
    CQueldaView(IViewContext& context, QWidget* parent = nullptr);
    ~CQueldaView() override;

    virtual quelda::WindowKind Kind() const = 0;
    // Monitors 1-3 and the status view compare received commands with it.
    virtual std::string RequestCommand() const { return {}; }
    // First show, after the view joined its document and its frame exists.
    virtual void OnInitialUpdate() {}
    // Every broadcast reaches every view; a view acts only on its own hints.
    // hint 0 with no data: repaint.
    virtual void OnUpdate(int hint, const uint8_t* data, std::size_t length) = 0;
    // EEPROM and simulator views enable their sending controls here.
    virtual void OnConnectionChanged() {}
    // Asked before the window closes; false keeps it open.
    virtual bool CanClose() { return true; }

    IViewContext& Context() const { return m_context; }
    CTERMDoc* Document() const { return m_pDocument; }
    void SetDocument(CTERMDoc* doc) { m_pDocument = doc; }
    // The child frame that holds the view (nullptr before it is placed).
    CQueldaChildFrame* Frame() const;

protected:
    // Sets the frame's title and moves it to the WINDOW_LEFT, WINDOW_TOP,
    // WINDOW_WIDTH and WINDOW_HEIGHT of the view's window section.
    void PlaceFrame(const QString& title);
    // The window section of the view's kind.
    const quelda::WindowSettings& WindowSection() const;

private:
    IViewContext& m_context;
    CTERMDoc* m_pDocument = nullptr;
};
