#pragma once

#include <QAbstractListModel>

#include <utility>

namespace vendara {

class CarMaster;

// One of the two lists of the maker and car-name master as a list model:
// the makers, or the cars of the current maker.
class CarListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    enum class Side { Makers, Cars };

    CarListModel(CarMaster &master, Side side, QObject *parent = nullptr);

    void setEditable(bool on) { m_editable = on; }
    void reload();

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Why the last typed maker name was refused (the row kept its name),
    // until taken; empty when none was.
    QString takeRefusal() { return std::exchange(m_refusal, QString()); }

signals:
    // A typed maker name was refused: takeRefusal() says why.
    void refused();

private:
    const QStringList &rows() const;

    CarMaster &m_master;
    Side m_side;
    bool m_editable = true;
    QString m_refusal;
};

} // namespace vendara
