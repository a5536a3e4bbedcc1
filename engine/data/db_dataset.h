#pragma once
// A dataset that walks an external table-like data source, reached directly
// (DataSet) or through a data-source link (DataSource).

#include "engine/data/data_source.h"
#include "engine/data/dataset.h"

namespace vl {

class TvlDBDataSet : public TvlDataset {
 public:
  using TvlDataset::TvlDataset;
  ~TvlDBDataSet() override;

  bool OpenDataSource = true;    // init opens the source
  bool CloseDataSource = false;  // exit closes it
  TvlNotifyEvent OnOpen, OnClose;

  // Setting one clears the other; a removed component clears the reference.
  TvlDataSource* DataSet() const noexcept { return dataSet_; }
  void SetDataSet(TvlDataSource* source);
  TvlDataLink* DataSource() const noexcept { return dataSource_; }
  void SetDataSource(TvlDataLink* link);

  // The source walked: the link's source when a link is set, else DataSet;
  // nullptr when there is none.
  TvlDataSource* GetDataSet() const noexcept;

  void Init() override;
  void Exit() override;
  void First() override;
  void Next() override;
  void Prior() override;
  bool Eof() override;

 protected:
  void Notification(TvlComponent* other) override;

 private:
  // The source walked; raises "Unable to open dataset " + name when none.
  TvlDataSource& Source() const;
  void ReleaseBookmark();
  // Stops watching c unless another reference still needs it.
  void Unwatch(TvlComponent* c);

  TvlDataSource* dataSet_ = nullptr;
  TvlDataLink* dataSource_ = nullptr;
  TvlDataSource* bookmarkSource_ = nullptr;  // the source the remembered position belongs to
  TvlBookmark bookmark_ = 0;
  bool eof_ = false;  // own end flag of reCurrent
};

}  // namespace vl
