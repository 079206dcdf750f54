// The keys of the Dralo data file (".drl"), in the order of the reader's
// table: a key's number is its position (Key("colr=")). Each key is four
// letters and "=".
#pragma once
#include "common/core/KeyTable.h"

#include <string_view>

namespace dralo {

inline constexpr std::size_t kDataKeyLength = common::kKeyLength;
inline constexpr std::string_view kDataKeys =
    "titl=bmpf=name=rays=cycl=iter=colr=patt=type=rule=crob=crgr=crt1=crt2=crq1=crq2=wiob=wigr=wit1=wit2="
    "wiq1=wiq2=nbor=bori=bor1=bor2=bory=ndis=disi=dism=disd=diss=dix1=diy1=dix2=diy2=sid1=dis1=sid2=dis2="
    "sidp=dipa=difr=linr=ccen=rptf=rpsi=flk1=flk2=rufr=pixs=tris=strm=hrbl=vwfc=mxdt=mxod=mxnd=lamb=epsi="
    "temp=hglo=flux=tair=hcon=qcon=trad=con1=con2=con3=tric=tmin=tmax=tin1=tin2=qmin=qmax=qic1=qin1=qin2="
    "dtas=bort=borq=grep=pan1=pan2=sip2=dip2=usol=bsym=ulfc=urfc=utfc=ubfc=diuc=tsin=lcts=lwts=";
inline constexpr std::size_t kDataKeyCount = kDataKeys.size() / kDataKeyLength;

// The number of a key of the table; a key not in it does not compile.
consteval int Key(std::string_view key)
{
    return common::KeyPosition(kDataKeys, key);
}

// The text of a key by its number.
constexpr std::string_view KeyText(int key)
{
    return kDataKeys.substr(static_cast<std::size_t>(key) * kDataKeyLength, kDataKeyLength);
}

} // namespace dralo
