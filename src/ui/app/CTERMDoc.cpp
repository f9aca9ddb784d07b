#include "app/CTERMDoc.h"

#include "app/CQueldaView.h"

void CTERMDoc::AddView(CQueldaView* view) {
    if (!view || m_keys.contains(view)) return;
    m_views.append(view);
    m_keys.append(view);
    view->SetDocument(this);
    // A view that goes away leaves the document; the last one empties it.
    connect(view, &QObject::destroyed, this, [this](QObject* gone) { RemoveView(gone); });
}

void CTERMDoc::RemoveView(const QObject* view) {
    // A widget announces its end while its view part is already gone, so the
    // guard still holds it: compare plain addresses, never cast it back.
    for (qsizetype i = m_views.size() - 1; i >= 0; --i) {
        if (m_views[i].isNull() || m_keys[i] == view) {
            m_views.removeAt(i);
            m_keys.removeAt(i);
        }
    }
    if (m_views.isEmpty()) emit Emptied();
}

QVector<CQueldaView*> CTERMDoc::Views() const {
    QVector<CQueldaView*> views;
    for (const QPointer<CQueldaView>& view : m_views) {
        if (view) views.append(view.data());
    }
    return views;
}

bool CTERMDoc::IsEmpty() const { return Views().isEmpty(); }

void CTERMDoc::UpdateAllViews(int hint, const uint8_t* data, std::size_t length) {
    // A view's handler may close a window (and so change the list): walk a
    // copy whose guards notice a view that is gone.
    const QVector<QPointer<CQueldaView>> views = m_views;
    for (const QPointer<CQueldaView>& view : views) {
        if (view) view->OnUpdate(hint, data, length);
    }
}
