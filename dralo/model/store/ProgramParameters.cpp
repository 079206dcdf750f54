// Copying the program defaults into a model being reset.
#include "dralo/model/store/ProgramParameters.h"

#include "dralo/model/store/BitmapModel.h"

namespace dralo {

void ApplyParameterDefaults(BitmapModel& m, const ProgramParameters& p)
{
    CalcParameters& c = m.calc;
    c.strm = p.strm;
    c.linr = p.linr;
    c.hrbl = p.hrbl;
    c.vwfc = p.vwfc;
    c.rays = p.rays;
    c.ccen = p.ccen;
    c.usol = p.usol;
    c.dtas = p.dtas;
    c.bsym = p.bsym;
    c.cycl = p.cycl;
    c.iter = p.iter;
    c.mxdt = p.mxdt;
    c.mxod = p.mxod;
    c.mxnd = p.mxnd;
    DisplaySettings& d = m.display;
    d.tmin = p.tmin;
    d.tmax = p.tmax;
    d.tin1 = p.tin1;
    d.tin2 = p.tin2;
    d.tsin = p.tsin;
    d.qmin = p.qmin;
    d.qmax = p.qmax;
    d.qic1 = p.qic1;
    d.qin1 = p.qin1;
    d.qin2 = p.qin2;
    d.crob = p.lcob;
    d.crgr = p.lcgr;
    d.crt1 = p.lct1;
    d.crt2 = p.lct2;
    d.lcts = p.lcts;
    d.crq1 = p.lcq1;
    d.crq2 = p.lcq2;
    d.wiob = p.lwob;
    d.wigr = p.lwgr;
    d.wit1 = p.lwt1;
    d.wit2 = p.lwt2;
    d.lwts = p.lwts;
    d.wiq1 = p.lwq1;
    d.wiq2 = p.lwq2;
}

void TakeSessionSettings(SessionSettings& session, const ProgramParameters& p)
{
    session.dect = p.dect;
    session.decq = p.decq;
    session.imgw = p.imgw;
    session.imgh = p.imgh;
    session.imgf = p.imgf;
    session.imgt = p.imgt;
    session.split = {p.szcl, p.szpc, p.szgr, p.szig, p.szps, p.szcf, p.szcs};
}

} // namespace dralo
