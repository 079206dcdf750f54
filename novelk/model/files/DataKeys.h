// The keys of the Novelk data file (".nvk"), in the order of the reader's key
// table: the position of a key is the number the reader dispatches on. A
// preview read knows only the first twelve, up to the view point.
#pragma once
#include <cstddef>
#include <string_view>

namespace novelk {

enum DataKey : int {
    kColr,
    kCrgb,
    kType,
    kNxwi,
    kXwid,
    kNywi,
    kYwid,
    kNzwi,
    kZwid,
    kNblk,
    kBlok,
    kVwpt,
    kGrun,
    kNnbc,
    kNbcd,
    kNbty,
    kNbte,
    kNbpo,
    kRcls,
    kName,
    kPatt,
    kLamb,
    kEpsi,
    kTemp,
    kHglo,
    kFlux,
    kTair,
    kHcon,
    kQcon,
    kTrad,
    kTitl,
    kLinr,
    kHrbl,
    kVwfc,
    kRays,
    kCycl,
    kIter,
    kMxdt,
    kMxod,
    kMxnd,
    kTmin,
    kTmax,
    kTin1,
    kTin2,
    kQmin,
    kQmax,
    kQin1,
    kQin2,
    kRule,
    kCon1,
    kCon2,
    kCon3,
    kCcen,
    kDtas,
    kNbor,
    kBori,
    kBor1,
    kBor2,
    kBory,
    kBort,
    kBorq,
    kArea,
    kUval,
    kRptf,
    kRptu,
    kNmat,
    kMati,
    kMatc,
    kMaty,
    kMatt,
    kMatp,
    kMxdc,
    kRpte,
    kNaue,
    kRptp,
    kRptq,
    kUenf,
    kGrep,
    kTsin,
    kDataKeyCount
};

inline constexpr std::size_t kDataKeyLength = 5;
inline constexpr std::string_view kDataKeys =
    "colr=crgb=type=nxwi=xwid=nywi=ywid=nzwi=zwid=nblk=blok=vwpt=grun=nnbc="
    "nbcd=nbty=nbte=nbpo=rcls=name=patt=lamb=epsi=temp=hglo=flux=tair=hcon="
    "qcon=trad=titl=linr=hrbl=vwfc=rays=cycl=iter=mxdt=mxod=mxnd=tmin=tmax="
    "tin1=tin2=qmin=qmax=qin1=qin2=rule=con1=con2=con3=ccen=dtas=nbor=bori="
    "bor1=bor2=bory=bort=borq=area=uval=rptf=rptu=nmat=mati=matc=maty=matt="
    "matp=mxdc=rpte=naue=rptp=rptq=uenf=grep=tsin=";
static_assert(kDataKeys.size() == kDataKeyCount * kDataKeyLength);
static_assert(kDataKeyCount == 79);

} // namespace novelk
