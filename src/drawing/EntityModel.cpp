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
  for (auto* a : {&BlkInsertAry, &DimAry, &BlkDimAry}) a->clear();
  SolidAry.clear();
  BlkSolidAry.clear();
  PointAry.clear();
  BlkPointAry.clear();
  HatchAry.clear();
  BlkHatchAry.clear();
  SplineAry.clear();
  BlkSplineAry.clear();
  LeaderAry.clear();
  BlkLeaderAry.clear();
  ShapeAry.clear();
  DimAsz = 0.18;
  DimScale = 1.0;
  DxfExtMin = {};
  DxfExtMax = {};
}

TDxfModel& Model() {
  static TDxfModel model;
  return model;
}

}  // namespace zr
