// The keys of the Gelmar data file (".glm"), in the order of the reader's
// key table: the position of a key is the number the reader dispatches on.
#pragma once
#include <string_view>

namespace gelmar {

enum DataKey : int {
    kColr, kCrgb, kType, kNxwi, kXwid, kNywi, kYwid, kNzwi, kZwid, kNblk,
    kBlok, kVwpt, kGrun, kNnbc, kNbcd, kNbty, kNbte, kNbpo, kRcls, kName,
    kPatt, kLamb, kEpsi, kTemp, kHglo, kFlux, kTair, kHcon, kQcon, kTrad,
    kTitl, kLinr, kHrbl, kVwfc, kRays, kCycl, kIter, kMxdt, kMxod, kMxnd,
    kTmin, kTmax, kTin1, kTin2, kQmin, kQmax, kQin1, kQin2, kRule, kCon1,
    kCon2, kCon3, kCcen, kDtas, kNbor, kBori, kBor1, kBor2, kBory, kBort,
    kBorq, kNmat, kMati, kMatc, kMaty, kMatt, kMatp, kMxdc, kFunt, kFunr,
    kFunn, kFunp, kRo, kC, kLafu, kCefu, kTmpf, kFlxf, kTafu, kPcfu,
    kTrfu, kNbtf, kNbpf, kBotf, kBoqf, kMatf, kStep, kPrec, kCalc, kDay0,
    kXxxx, kSave, kRptf, kUnlk, kVent, kVeco, kVefl, kNond, kOnod, kNobl,
    kOblk, kNrpt, kRept, kSolz, kAzno, kLati, kLong, kTimz, kRefg, kRefs,
    kRffu, kTras, kAlno, kMapf, kNsob, kSobs, kLmfu, kHgfu, kHcfu, kCtrl,
    kCsen, kCtgf, kCstu, kCstd, kCpur, kCdto, kCdtf, kCsrf, kCdsf, kCtdt,
    kCdtp, kCzn1, kCzn2, kNctr, kEmfu, kTsfu, kRt1z, kRt2x, kRt3z, kTsin,
    kDataKeyCount
};

inline constexpr std::string_view kDataKeys =
    "colr=crgb=type=nxwi=xwid=nywi=ywid=nzwi=zwid=nblk=blok=vwpt="
    "grun=nnbc=nbcd=nbty=nbte=nbpo=rcls=name=patt=lamb=epsi=temp="
    "hglo=flux=tair=hcon=qcon=trad=titl=linr=hrbl=vwfc=rays=cycl="
    "iter=mxdt=mxod=mxnd=tmin=tmax=tin1=tin2=qmin=qmax=qin1=qin2="
    "rule=con1=con2=con3=ccen=dtas=nbor=bori=bor1=bor2=bory=bort="
    "borq=nmat=mati=matc=maty=matt=matp=mxdc=funt=funr=funn=funp="
    "ro  =c   =lafu=cefu=tmpf=flxf=tafu=pcfu=trfu=nbtf=nbpf=botf="
    "boqf=matf=step=prec=calc=day0=XXXX=save=rptf=unlk=vent=veco="
    "vefl=nond=onod=nobl=oblk=nrpt=rept=solz=azno=lati=long=timz="
    "refg=refs=rffu=tras=alno=mapf=nsob=sobs=lmfu=hgfu=hcfu=ctrl="
    "csen=ctgf=cstu=cstd=cpur=cdto=cdtf=csrf=cdsf=ctdt=cdtp=czn1="
    "czn2=nctr=emfu=tsfu=rt1z=rt2x=rt3z=tsin=";
inline constexpr int kDataKeyLength = 5;
static_assert(kDataKeys.size() == kDataKeyCount * kDataKeyLength);

} // namespace gelmar
