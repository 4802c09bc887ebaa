#pragma once

// Transient geometry: points, vectors and matrices the add-in makes and the host hands out.

#include "affine.hpp"
#include "com_object.hpp"

namespace sledway::automation_host {

// Reads a point, vector or unit vector the caller passes, through its X, Y and Z.
HRESULT ReadVec3(IDispatch* object, Vec3& value);
// Reads a matrix the caller passes, through its Cell.
HRESULT ReadAffine(IDispatch* object, Affine& value);

ComPtr<IDispatch> NewPoint(IDispatch* application, const Vec3& at);
ComPtr<IDispatch> NewPoint2d(IDispatch* application, double x, double y);
ComPtr<IDispatch> NewVector(IDispatch* application, const Vec3& components);
ComPtr<IDispatch> NewUnitVector(IDispatch* application, const Vec3& direction);
ComPtr<IDispatch> NewMatrix(IDispatch* application, const Affine& placement);

// Application.TransientGeometry.
ComPtr<IDispatch> NewTransientGeometry(IDispatch* application);

}  // namespace sledway::automation_host
