#include "drawing/EntityModel.h"

namespace zr {

void TDxfModel::Clear() {
  BlockAry.clear();
  BlkLineAry.clear();
  BlkCircleAry.clear();
  BlkArcAry.clear();
  BlkLwpAry.clear();
  BlkLwpEleAry.clear();
  BlkTextAry.clear();
  BlkEllipseAry.clear();
  LineAry.clear();
  CircleAry.clear();
  ArcAry.clear();
  LwpAry.clear();
  LwpEleAry.clear();
  TextAry.clear();
  InsertAry.clear();
  FaceAry.clear();
  EllipseAry.clear();
  LayerAry.clear();
  ViewAry.clear();
  DxfExtMin = {};
  DxfExtMax = {};
}

TDxfModel& Model() {
  static TDxfModel model;
  return model;
}

}  // namespace zr
