#include "framework/data/data_source.h"

#include <algorithm>

#include "framework/data/dataset.h"

namespace trx {

// ---- TDataLink -------------------------------------------------------------------

TDataLink::~TDataLink() {
    if (dataSource_) dataSource_->RemoveLink(this);
    dataSource_ = nullptr;
}

void TDataLink::SetDataSource(TDataSource* Value) {
    if (Value == dataSource_) return;
    if (dataSource_) dataSource_->RemoveLink(this);
    dataSource_ = Value;
    if (dataSource_) dataSource_->AddLink(this);
    UpdateActive();
}

TDataSet* TDataLink::DataSet() const { return dataSource_ ? dataSource_->DataSet() : nullptr; }

void TDataLink::UpdateActive() {
    const bool now = dataSource_ && dataSource_->State() != TDataSetState::dsInactive;
    if (now == active_) return;
    active_ = now;
    ActiveChanged();
}

void TDataLink::Event(TDataEvent Event, intptr_t Info) {
    if (!active_) return;
    switch (Event) {
    case TDataEvent::deDataSetScroll: DataSetScrolled(static_cast<int>(Info)); break;
    case TDataEvent::deFieldChange:
    case TDataEvent::deRecordChange:
    case TDataEvent::deDataSetChange:
    case TDataEvent::deLayoutChange: DataSetChanged(); break;
    default: break;
    }
}

// ---- TDataSource -------------------------------------------------------------------

TDataSource::TDataSource(TComponent* AOwner) : TComponent(AOwner) {}

TDataSource::~TDataSource() {
    SetDataSet(nullptr);
    const std::vector<TDataLink*> links = links_;
    links_.clear();
    for (TDataLink* link : links) {
        link->dataSource_ = nullptr;
        link->UpdateActive();
    }
}

TDataSetState TDataSource::State() const {
    if (!enabled_ || !dataSet_) return TDataSetState::dsInactive;
    return dataSet_->State();
}

void TDataSource::SetDataSet(TDataSet* Value) {
    if (Value == dataSet_) return;
    if (dataSet_) {
        auto& list = dataSet_->dataSources_;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
        RemoveFreeNotification(dataSet_);
    }
    dataSet_ = Value;
    if (dataSet_) {
        dataSet_->dataSources_.push_back(this);
        FreeNotification(dataSet_);
    }
    UpdateLinks();
}

void TDataSource::SetEnabled(bool Value) {
    if (Value == enabled_) return;
    enabled_ = Value;
    UpdateLinks();
}

void TDataSource::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent && AComponent == dataSet_) SetDataSet(nullptr);
}

void TDataSource::DataSetGone(TDataSet* DataSet) {
    if (DataSet != dataSet_) return;
    RemoveFreeNotification(dataSet_);
    dataSet_ = nullptr;
    UpdateLinks();
}

void TDataSource::UpdateLinks() {
    const TDataSetState now = State();
    const bool changed = now != state_;
    state_ = now;
    const std::vector<TDataLink*> links = links_;
    for (TDataLink* link : links)
        if (std::find(links_.begin(), links_.end(), link) != links_.end()) link->UpdateActive();
    if (changed && OnStateChange) OnStateChange(this);
}

void TDataSource::DataEvent(TDataEvent Event, intptr_t Info) {
    if (!enabled_) return;
    if (Event == TDataEvent::deUpdateState) {
        UpdateLinks();
        return;
    }
    if (state_ == TDataSetState::dsInactive) return;
    const std::vector<TDataLink*> links = links_;
    for (TDataLink* link : links)
        if (std::find(links_.begin(), links_.end(), link) != links_.end()) link->Event(Event, Info);
    switch (Event) {
    case TDataEvent::deFieldChange:
    case TDataEvent::deRecordChange:
    case TDataEvent::deDataSetChange:
    case TDataEvent::deDataSetScroll:
    case TDataEvent::deLayoutChange:
        if (OnDataChange) OnDataChange(this, nullptr);
        break;
    default: break;
    }
}

void TDataSource::AddLink(TDataLink* Link) {
    if (std::find(links_.begin(), links_.end(), Link) == links_.end()) links_.push_back(Link);
}

void TDataSource::RemoveLink(TDataLink* Link) {
    links_.erase(std::remove(links_.begin(), links_.end(), Link), links_.end());
}

} // namespace trx
