; Fill patterns: first colour (pixels set), second colour (pixels clear),
; then the eight rows of the 8x8 pattern, top row first, all hexadecimal.
[PATTERNS]
N=20
; 1 Plain white
P1=000000,FFFFFF,00,00,00,00,00,00,00,00
; 2 Concrete
P2=404040,C8C8C8,88,00,22,00,88,00,22,00
; 3 Reinforced concrete
P3=000000,C0C0C0,01,02,04,08,10,20,40,80
; 4 Brick
P4=002080,4070E0,FF,80,80,80,FF,08,08,08
; 5 Timber
P5=144678,82BEE6,FF,00,00,00,3C,00,00,00
; 6 Mineral wool
P6=006480,96F0FF,81,42,24,18,18,24,42,81
; 7 Expanded polystyrene
P7=787878,FFFFFF,00,22,00,88,00,22,00,88
; 8 Extruded polystyrene
P8=C8783C,FFE1C8,11,22,44,88,11,22,44,88
; 9 Polyurethane foam
P9=008CB4,C8FAFF,00,66,66,00,00,66,66,00
; 10 Gypsum and plaster
P10=A0A0A0,F0F0F0,80,00,08,00,80,00,08,00
; 11 Screed and mortar
P11=606060,D8D8D8,44,00,11,00,44,00,11,00
; 12 Steel
P12=000000,BEAAA0,88,44,22,11,88,44,22,11
; 13 Aluminium
P13=808080,E1D7D2,11,22,44,88,11,22,44,88
; 14 Glass
P14=808000,F0F0C8,01,00,00,00,10,00,00,00
; 15 Air
P15=C0C0C0,FFFFFF,00,00,00,00,00,00,00,00
; 16 Natural stone
P16=404040,A0B4BE,18,24,42,81,81,42,24,18
; 17 Soil
P17=143250,5082AA,82,10,44,01,28,80,12,40
; 18 Plastics and rubber
P18=000000,5A5A6E,AA,55,AA,55,AA,55,AA,55
; 19 Tiles
P19=000000,FFFFFF,FF,80,80,80,80,80,80,80
; 20 Water and ice
P20=FF0000,FFF0E0,00,CC,33,00,00,CC,33,00
