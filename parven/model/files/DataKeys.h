// The keys of the Parven data file (".pvn") in the order of the reader's key
// table: a key's position is the number the reader dispatches on
// (`case Key("colr="):`). A preview knows only the first thirteen, up to the
// view angles; a merge skips the settings and the lists (the positions from
// "scal=" to "z0gr=" and from "ccen=" on, and "vwpt=").
#pragma once
#include "common/core/KeyTable.h"

#include <string_view>

namespace parven {

inline constexpr std::string_view kDataKeys =
    "colr=crgb=nblk=blok=bshw=bclr=bsol=btyp=bshp=bipt=bpnt=bstl=vwpt="
    "ctyp=cnam=patt=csiz=lamb=epsi=temp=hglo=flux=tair=hcon=qcon=trad="
    "scal=reso=step=axis=linr=hrbl=vwfc=rays=cycl=iter=mxdt=mxod=mxnd="
    "tmin=tmax=tin1=tin2=titl=anob=qmin=qmax=qin1=qin2=nxwi=nywi=nzwi="
    "xwid=ywid=zwid=x0gr=y0gr=z0gr=rule=con1=con2=con3=ccen=dtas=nbor="
    "bori=bor1=bor2=bory=bort=borq=nmat=mati=matc=maty=matt=matp=nofb="
    "elno=ligr=grcd=aufb=area=uval=rptf=rptu=swel=mxdc=tsin=";
inline constexpr int kDataKeyCount = 89;
static_assert(kDataKeys.size() == kDataKeyCount * common::kKeyLength);

consteval int Key(std::string_view key)
{
    return common::KeyPosition(kDataKeys, key);
}

// The keys a preview reads: "colr=" to "vwpt=".
inline constexpr std::string_view kPreviewKeys = kDataKeys.substr(0, (Key("vwpt=") + 1) * common::kKeyLength);

// Keys a merge skips: it adds colours and blocks and keeps the model's grid,
// settings and lists.
constexpr bool MergeSkips(int key)
{
    return key == Key("vwpt=") || (key >= Key("scal=") && key <= Key("z0gr=")) || key >= Key("ccen=");
}

} // namespace parven
