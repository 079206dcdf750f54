// The keys of the Dralo data file (".drl"), in the order of the reader's
// table: index = position. Each key is four letters and "=".
#pragma once
#include <string_view>

namespace dralo {

inline constexpr std::size_t kDataKeyLength = 5;
inline constexpr std::string_view kDataKeys =
    "titl=bmpf=name=rays=cycl=iter=colr=patt=type=rule=crob=crgr=crt1=crt2=crq1=crq2=wiob=wigr=wit1=wit2="
    "wiq1=wiq2=nbor=bori=bor1=bor2=bory=ndis=disi=dism=disd=diss=dix1=diy1=dix2=diy2=sid1=dis1=sid2=dis2="
    "sidp=dipa=difr=linr=ccen=rptf=rpsi=flk1=flk2=rufr=pixs=tris=strm=hrbl=vwfc=mxdt=mxod=mxnd=lamb=epsi="
    "temp=hglo=flux=tair=hcon=qcon=trad=con1=con2=con3=tric=tmin=tmax=tin1=tin2=qmin=qmax=qic1=qin1=qin2="
    "dtas=bort=borq=grep=pan1=pan2=sip2=dip2=usol=bsym=ulfc=urfc=utfc=ubfc=diuc=tsin=lcts=lwts=";

enum DataKey : int {
    kTitl, kBmpf, kName, kRays, kCycl, kIter, kColr, kPatt, kType, kRule,
    kCrob, kCrgr, kCrt1, kCrt2, kCrq1, kCrq2, kWiob, kWigr, kWit1, kWit2,
    kWiq1, kWiq2, kNbor, kBori, kBor1, kBor2, kBory, kNdis, kDisi, kDism,
    kDisd, kDiss, kDix1, kDiy1, kDix2, kDiy2, kSid1, kDis1, kSid2, kDis2,
    kSidp, kDipa, kDifr, kLinr, kCcen, kRptf, kRpsi, kFlk1, kFlk2, kRufr,
    kPixs, kTris, kStrm, kHrbl, kVwfc, kMxdt, kMxod, kMxnd, kLamb, kEpsi,
    kTemp, kHglo, kFlux, kTair, kHcon, kQcon, kTrad, kCon1, kCon2, kCon3,
    kTric, kTmin, kTmax, kTin1, kTin2, kQmin, kQmax, kQic1, kQin1, kQin2,
    kDtas, kBort, kBorq, kGrep, kPan1, kPan2, kSip2, kDip2, kUsol, kBsym,
    kUlfc, kUrfc, kUtfc, kUbfc, kDiuc, kTsin, kLcts, kLwts,
    kDataKeyCount
};
static_assert(kDataKeys.size() == kDataKeyCount * kDataKeyLength);

} // namespace dralo
