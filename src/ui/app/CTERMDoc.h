#pragma once
// The shared document: holds no data, only its views in order, so the main
// frame reaches every window with one broadcast.
#include <QObject>
#include <QPointer>
#include <QVector>
#include <cstddef>
#include <cstdint>

class CQueldaView;

class CTERMDoc : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // The view joins the document (and learns it through SetDocument).
    void AddView(CQueldaView* view);
    void RemoveView(const QObject* view);
    QVector<CQueldaView*> Views() const;
    bool IsEmpty() const;
    // Calls every view's OnUpdate synchronously, in view order.
    void UpdateAllViews(int hint, const uint8_t* data, std::size_t length);

signals:
    // The last view left.
    void Emptied();

private:
    QVector<QPointer<CQueldaView>> m_views;
    QVector<const QObject*> m_keys;  // m_views' addresses, for views being destroyed
};
