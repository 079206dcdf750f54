// The session settings taken from the program defaults.
#include "dralo/model/store/ProgramParameters.h"

namespace dralo {

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
