// Display rules and value lists that many effect types share. Kept in one
// place so that every table points at the same text.
#include "fxcatalog/FxDisplayRules.h"

constinit const char FXFMT_WETDRY[] = "0\tDry\n1~99\t%.0f:%.0f,v,(100-v)\n100\tWet";

constinit const char FXFMT_WETDRY_SIGNED[] =
    "-100\t-Wet\n-99~-1\t%.0f:%.0f,v,(100+v)\n0\tDry\n1~99\t%.0f:%.0f,v,(100-v)\n100\tWet";

constinit const char FXFMT_TEMPO[] = "3999\tMIDI\n4000~30000\t40~300\t%.02f,v";

// Every entry is padded to the same width so that the list selector lines up.
constinit const char FXFMT_MODSOURCE[] =
    "Off                    \n"
    "Gate1                  \n"
    "Gate1+Damper           \n"
    "Gate2                  \n"
    "Gate2+Damper           \n"
    "Note Number            \n"
    "Velocity               \n"
    "Exp Velocity           \n"
    "After Touch            \n"
    "JS X                   \n"
    "JS+Y: #01              \n"
    "JS-Y: #02              \n"
    "Pedal: #04             \n"
    "FXControl1:#12         \n"
    "FXControl2:#13         \n"
    "Ribbon: #16            \n"
    "Value Slider:#18       \n"
    "KnobM1:#17             \n"
    "KnobM2:#19             \n"
    "KnobM3:#20             \n"
    "KnobM4:#21             \n"
    "KnobM1 [+]             \n"
    "KnobM2 [+]             \n"
    "KnobM3 [+]             \n"
    "KnobM4 [+]             \n"
    "Damper:#64             \n"
    "PortamentSW:#65        \n"
    "Sostenuto:#66          \n"
    "Soft: #67              \n"
    "SW 1: #80              \n"
    "SW 2: #81              \n"
    "FootSW:#82             \n"
    "MIDI CC#83             \n"
    "MIDI CC#85             \n"
    "MIDI CC#86             \n"
    "MIDI CC#87             \n"
    "MIDI CC#88             \n"
    "Tempo                  ";

// Value, tab, note glyph code, then two spaces (plain) or "3" (triplet),
// a carriage return, a space and the fraction.
constinit const char FXFMT_NOTELENGTH[] =
    "0\t\x19  \r (1/32)\n"
    "1\t\x1A" "3\r (1/24)\n"
    "2\t\x1A  \r (1/16)\n"
    "3\t\x1B" "3\r (1/12)\n"
    "4\t\x1B  \r (1/8)\n"
    "5\t\x1C" "3\r (1/6)\n"
    "6\t\x1C  \r (1/4)\n"
    "7\t\x1D" "3\r (1/3)\n"
    "8\t\x1D  \r (1/2)\n"
    "9\t\x1E  \r (1/1)";

constinit const char FXFMT_LOWCUT[] =
    "0\tThru\n1~3\t21~23\t%.0f,v\n4~5\t25~26\t%.0f,v\n6~7\t28~29\t%.0f,v\n"
    "8~12\t31~39\t%.0f,v\n13\t42\n14~19\t44~59\t%.0f,v\n"
    "20~21\t63~66\t%.0f,v\n22~23\t70~74\t%.0f,v\n24~25\t79~83\t%.0f,v\n"
    "26~27\t88~94\t%.0f,v\n28~29\t99~105\t%.0f,v\n30~31\t111~118\t%.0f,v\n"
    "32~33\t125~132\t%.0f,v\n34~35\t140~149\t%.0f,v\n"
    "36~39\t157~187\t%.0f,v\n40~41\t198~210\t%.0f,v\n"
    "42~43\t223~236\t%.0f,v\n44~45\t250~265\t%.0f,v\n"
    "46~47\t281~297\t%.0f,v\n48~49\t315~334\t%.0f,v\n"
    "50~51\t354~375\t%.0f,v\n52~53\t397~420\t%.0f,v\n"
    "54~55\t445~472\t%.0f,v\n56~57\t500~530\t%.0f,v\n"
    "58~59\t561~595\t%.0f,v\n60~61\t630~667\t%.0f,v\n"
    "62~63\t707~749\t%.0f,v\n64~65\t794~841\t%.0f,v\n"
    "66~67\t891~944\t%.0f,v\n68~69\t1.00~1.05\t%.2fk,v\n"
    "70~71\t1.12~1.18\t%.2fk,v\n72~73\t1.26~1.33\t%.2fk,v\n"
    "74~75\t1.41~1.49\t%.2fk,v\n76~79\t1.58~1.88\t%.2fk,v\n"
    "80~81\t2.00~2.11\t%.2fk,v\n82~83\t2.24~2.37\t%.2fk,v\n"
    "84~85\t2.52~2.67\t%.2fk,v\n86~87\t2.82~2.99\t%.2fk,v\n"
    "88~89\t3.17~3.36\t%.2fk,v\n90~91\t3.56~3.77\t%.2fk,v\n"
    "92~93\t4.00~4.23\t%.2fk,v\n94~95\t4.49~4.75\t%.2fk,v\n"
    "96~97\t5.04~5.33\t%.2fk,v\n98~99\t5.65~5.99\t%.2fk,v\n"
    "100~101\t6.35~6.72\t%.2fk,v\n102~103\t7.12~7.55\t%.2fk,v\n104\t8.00k";

constinit const char FXFMT_HIGHCUT[] =
    "0~2\t53~59\t%.0f,v\n3~4\t63~66\t%.0f,v\n5~6\t70~74\t%.0f,v\n"
    "7~8\t79~83\t%.0f,v\n9~10\t88~94\t%.0f,v\n11~12\t99~105\t%.0f,v\n"
    "13~16\t111~132\t%.0f,v\n17~19\t140~157\t%.0f,v\n"
    "20~22\t167~187\t%.0f,v\n23~24\t198~210\t%.0f,v\n"
    "25~26\t223~236\t%.0f,v\n27~28\t250~265\t%.0f,v\n"
    "29~30\t281~297\t%.0f,v\n31~32\t315~334\t%.0f,v\n"
    "33~34\t354~375\t%.0f,v\n35~36\t397~420\t%.0f,v\n"
    "37~38\t445~472\t%.0f,v\n39~40\t500~530\t%.0f,v\n"
    "41~42\t561~595\t%.0f,v\n43~44\t630~667\t%.0f,v\n"
    "45~46\t707~749\t%.0f,v\n47~48\t794~841\t%.0f,v\n"
    "49~50\t891~944\t%.0f,v\n51~59\t1.0~1.8\t%.1fk,v\n"
    "60~63\t2.0~2.3\t%.1fk,v\n64~65\t2.5~2.6\t%.1fk,v\n"
    "66~67\t2.8~2.9\t%.1fk,v\n68~71\t3.1~3.7\t%.1fk,v\n"
    "72~74\t4.0~4.4\t%.1fk,v\n75~79\t4.7~5.9\t%.1fk,v\n"
    "80~83\t6.3~7.5\t%.1fk,v\n84~85\t8.0~8.4\t%.1fk,v\n"
    "86~88\t8.9~10.0\t%.1fk,v\n89~90\t10.6~11.3\t%.1fk,v\n"
    "91~92\t11.9~12.6\t%.1fk,v\n93~94\t13.4~14.2\t%.1fk,v\n"
    "95~96\t15.1~16.0\t%.1fk,v\n97~100\t17.0~20.0\t%.1fk,v\n101\tThru";

constinit const char FXFMT_BASSCABINET[] =
    "Classic - 1x15\nClassic - 8x10\nModern - 4x10|Modern 4x10\nModern - 2x10\n"
    "Vintage - 2x15\nVintage - 1x18\nCombo - 1x15\nCombo - 4x12\n"
    "Jazz - 1x15\nStudio Stack - 8x10|Studio 8x10\nTube - 4x10\nSolid - 1x15";
