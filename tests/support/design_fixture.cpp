#include "support/design_fixture.h"

namespace {

// Record indexes of the test catalogues, by what a test needs of them.
constexpr const char* kHelice =
    "\"P2\",100,4,\"S\",\"R1\",1.2,12,2,\"o\"\r\n"
    "\"P3o\",120,7,\"S\",\"R2\",1.9,30,3,\"o\"\r\n"
    "\"P3n\",150,9,\"S\",\"R3\",2.6,30,3,\"n\"\r\n"
    "\"Pempty\",,,,,,,,\r\n"
    "\"P3O\",120,7,\"S\",\"R5\",1.9,30,3,\"O\"\r\n";
constexpr const char* kMoteur = "\"M24\",24,32,2,\"Oui\",\"S\",\"R\",2.5\r\n";
constexpr const char* kBerceau = "\"B20\",20,3,\"ABS\",\"S\",\"R\",0.4,20\r\n";
constexpr const char* kEnergie =
    "\"E0\",\"Solaire\",35,\"S\",\"R\",4.5,0\r\n"
    "\"E4\",\"Coupleur\",20,\"S\",\"R\",1.1,4 piles\r\n"
    "\"E2\",\"Coupleur\",12,\"S\",\"R\",0.8,2\r\n"
    "\"Eneg\",\"Coupleur\",1,\"S\",\"R\",1,-1\r\n"
    "\"Eempty\",\"Coupleur\",1,\"S\",\"R\",1,\r\n";
constexpr const char* kPile = "0.5,23,2.8,26\r\n";
constexpr const char* kInterrupteur = "\"I\",\"Levier\",4,\"S\",\"R\",0.6\r\n";
constexpr const char* kRoue =
    "\"R50\",50,20,4,\"S\",\"R\",0.35\r\n"
    "\"R60\",60,12,4,\"S\",\"R\",0.45\r\n"
    "\"R40\",40,30,3,\"S\",\"R\",0.3\r\n"
    "\"R50b\",50.0,8,4,\"S\",\"R\",0.35\r\n"
    "\"R45\",45,7,4,\"S\",\"R\",0.3\r\n";
constexpr const char* kTrain =
    "\"T1\",1,\"desc 1\",6,0.4,\"TrainA\"\r\n"
    "\"T2\",2,\"desc 2\",9,0.9,\"TrainB\"\r\n";
constexpr const char* kMateriau = "\"M3\",3,\"x\",\"y\"\r\n\"M2\",2,\"x\",\"y\"\r\n";
constexpr const char* kReglement = "350,200,150,250,25\r\n";

}  // namespace

DesignFixture::DesignFixture() {
    dir.write("Helice.txt", kHelice);
    dir.write("Moteur.txt", kMoteur);
    dir.write("Berceau.txt", kBerceau);
    dir.write("Energie.txt", kEnergie);
    dir.write("Pile.txt", kPile);
    dir.write("Interrupteur.txt", kInterrupteur);
    dir.write("Roue.txt", kRoue);
    dir.write("Train.txt", kTrain);
    dir.write("Materiau.txt", kMateriau);
    dir.write("Reglement.txt", kReglement);
    session.load();
    platform.log.clear();
}

void DesignFixture::completeDesign(int propeller, int frontWheel, int rearWheel,
                                   const char* frontPosition, const char* rearPosition,
                                   const char* propellerPosition) {
    pick("Combo1", propeller);
    pick("Combo2", 0);
    pick("Combo3", 0);
    pick("Combo4", 0);
    pick("Combo5", 0);
    pick("Combo6", frontWheel);
    pick("Combo7", rearWheel);
    select(frontPosition);
    select(rearPosition);
    select(propellerPosition);
    pick("Combo8", 0);
    pick("Combo9", 1);
    pick("Combo10", 0);
    pick("Combo11", 1);
}
