// TDataSource connects a dataset to the controls that show it, and
// TDataLink is a control's end of that connection. A dataset tells its data
// sources what changed (unless its controls are disabled); a source passes
// it on to its links and its own events while it is enabled.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "framework/core/component.h"
#include "framework/data/field_type.h"

namespace trx {

class TDataSet;
class TDataSource;
class TField;

using TDataChangeEvent = std::function<void(TObject* Sender, TField* Field)>;
using TDataSourceNotifyEvent = std::function<void(TObject* Sender)>;

// A control's link to a data source. Controls derive from it and override
// the change handlers they need.
class TDataLink : public TObject {
public:
    TDataLink() = default;
    ~TDataLink() override;
    TDataLink(const TDataLink&) = delete;
    TDataLink& operator=(const TDataLink&) = delete;

    TDataSource* DataSource() const { return dataSource_; }
    void SetDataSource(TDataSource* Value);
    TDataSet* DataSet() const;
    // A data source is set and enabled, and its dataset is open.
    bool Active() const { return active_; }

protected:
    // The link became active or inactive.
    virtual void ActiveChanged() {}
    // Anything may have changed: reread everything.
    virtual void DataSetChanged() {}
    // The current record moved by Distance records.
    virtual void DataSetScrolled(int /*Distance*/) { DataSetChanged(); }

private:
    friend class TDataSource;
    void UpdateActive();
    void Event(TDataEvent Event, intptr_t Info);

    TDataSource* dataSource_ = nullptr;
    bool active_ = false;
};

class TDataSource : public TComponent {
public:
    explicit TDataSource(TComponent* AOwner = nullptr);
    ~TDataSource() override;

    // The dataset shown; forgotten when that dataset is freed.
    TDataSet* DataSet() const { return dataSet_; }
    void SetDataSet(TDataSet* Value);
    // A disabled source passes nothing on, and its links are inactive.
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool Value);
    // The dataset's state; dsInactive without an open dataset or while disabled.
    TDataSetState State() const;

    // After the current record or the whole data changed (Field is null).
    TDataChangeEvent OnDataChange;
    // After the dataset's state changed (opened, closed).
    TDataSourceNotifyEvent OnStateChange;

    int LinkCount() const { return static_cast<int>(links_.size()); }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TDataSet;
    friend class TDataLink;
    void DataEvent(TDataEvent Event, intptr_t Info);
    void DataSetGone(TDataSet* DataSet);
    void AddLink(TDataLink* Link);
    void RemoveLink(TDataLink* Link);
    void UpdateLinks();

    TDataSet* dataSet_ = nullptr;
    bool enabled_ = true;
    TDataSetState state_ = TDataSetState::dsInactive;
    std::vector<TDataLink*> links_;
};

} // namespace trx
