// The table windows of the model as the application opens and arranges
// them: frame and view classes by name.
#pragma once
#include "gelmar/app/BlockView.h"
#include "gelmar/app/BorderView.h"
#include "gelmar/app/ClipViews.h"
#include "gelmar/app/ColorView.h"
#include "gelmar/app/ControlView.h"
#include "gelmar/app/CoordView.h"
#include "gelmar/app/FuncView.h"
#include "gelmar/app/GridView.h"
#include "gelmar/app/MaterView.h"
#include "gelmar/app/MinGridView.h"
#include "gelmar/app/NodeView.h"
#include "gelmar/app/OutputViews.h"
#include "gelmar/app/SunObstView.h"
#include "gelmar/app/VentView.h"
