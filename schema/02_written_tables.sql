/* Tables that the import writes. Each has a unique key that says when a row is
   already there: an insert that breaks it fails with "violation of PRIMARY or UNIQUE
   KEY constraint", which the importers log and skip. Firebird compares a key with
   nulls in some of its columns like any other (two rows with the same values and
   nulls in the same places collide); only a key that is null in every column never
   fires. Beyond ID and the keys no column is constrained: the schema of the practice
   product decides that, and a test database must not reject what it takes. */

/* Duplicate: the same UIN and speciality; a doctor of the same UIN under another
   speciality is another row. */
CREATE TABLE DOCTOR (
  ID              INTEGER NOT NULL PRIMARY KEY,
  EGN             VARCHAR(20),
  FNAME           VARCHAR(50),
  SNAME           VARCHAR(50),
  LNAME           VARCHAR(50),
  UIN             VARCHAR(20),
  IS_NAET         CHAR(1) DEFAULT 'N',
  IS_ZAMESTVASHT  CHAR(1) DEFAULT 'N',
  IS_PODVIZHNO_LZ CHAR(1) DEFAULT 'N',
  IS_EGN          CHAR(1) DEFAULT 'Y',
  SPECIALITY_ID   INTEGER,
  CONSTRAINT UK_DOCTOR_UIN UNIQUE (UIN, SPECIALITY_ID)
);

/* Duplicate: the same personal number of the same kind (EGN, PID_TYPE). */
CREATE TABLE PACIENT (
  ID                      INTEGER NOT NULL PRIMARY KEY,
  EGN                     VARCHAR(20),
  PID_TYPE                CHAR(1) DEFAULT 'E',
  BIRTH_DATE              DATE,
  DOCTOR_ID               INTEGER,
  RZOK                    VARCHAR(2),
  RZOKR                   VARCHAR(2),
  FNAME                   VARCHAR(50),
  SNAME                   VARCHAR(50),
  LNAME                   VARCHAR(50),
  SEX_TYPE                VARCHAR(2),
  ULICA                   VARCHAR(40),
  OBLAST                  VARCHAR(50),
  OBSHTINA                VARCHAR(50),
  NAS_MQSTO               VARCHAR(50),
  OSIGUREN                CHAR(1),
  BELEJKI                 VARCHAR(1000),
  RECKNNO                 VARCHAR(20),
  DATE_ZAPISVANE          DATE,
  IS_NEBL_USL             CHAR(1),
  COUNTRY                 VARCHAR(10),
  TYPE_CERTIFICATE        VARCHAR(10),
  EHIC_NO                 VARCHAR(30),
  HEALTH_INSURANCE_NUMBER VARCHAR(30),
  DATEISSUE               DATE,
  DATEFROM                DATE,
  DATETO                  DATE,
  PAT_KIND                INTEGER,
  CONSTRAINT UK_PACIENT_EGN UNIQUE (EGN, PID_TYPE)
);

/* Duplicate: the same patient, doctor, date and sheet number, the number being
   AMB_LISTN or, for a national number, NRN (then AMB_LISTN is "0"). An NRN left null
   is stored as the empty text (see the trigger): such a sheet has no national
   number, rather than an unknown one. */
CREATE TABLE PREGLED (
  ID                        INTEGER NOT NULL PRIMARY KEY,
  PACIENT_ID                INTEGER,
  DOCTOR_ID                 INTEGER,
  START_DATE                DATE,
  START_TIME                VARCHAR(5),
  AMB_LISTN                 VARCHAR(20),
  NRN                       VARCHAR(12) DEFAULT '',
  NZIS_STATUS               INTEGER,
  COPIED_FROM_NRN           VARCHAR(12),
  NRD                       SMALLINT,
  IS_DISPANSERY             CHAR(1),
  IS_NO_DELAY               CHAR(1),
  IS_EMERGENCY              CHAR(1),
  IS_ZAMESTVASHT            CHAR(1),
  IS_NAET                   CHAR(1),
  IS_PREVENTIVE             CHAR(1),
  IS_CONSULTATION           CHAR(1),
  IS_ANALYSIS               CHAR(1),
  IS_MANIPULATION           CHAR(1),
  IS_NOTIFICATION           CHAR(1),
  IS_EPIKRIZA               CHAR(1),
  IS_HOSPITALIZATION        CHAR(1),
  IS_REHABILITATION         CHAR(1),
  IS_PODVIZHNO_LZ           CHAR(1),
  IS_RECEPTA_HOSPIT         CHAR(1),
  IS_VSD                    CHAR(1),
  IS_TELK                   CHAR(1),
  IS_EXPERTIZA              CHAR(1),
  IS_OPERATION              CHAR(1),
  IS_FORM_VALID             CHAR(1),
  IS_NAPR_TELK              CHAR(1),
  IS_RISK_GROUP             CHAR(1),
  PAY                       CHAR(1),
  INCIDENTALLY              CHAR(1),
  IS_REGISTRATION           CHAR(1),
  IS_MEDBELEJKA             CHAR(1),
  IS_BABY_CARE              CHAR(1),
  TALON_LKK                 VARCHAR(20),
  MAIN_DIAG_MKB             VARCHAR(10),
  MAIN_DIAG_OPIS            VARCHAR(500),
  MAIN_DIAG_MKB_ADD         VARCHAR(10),
  PR_ZAB1_MKB               VARCHAR(10),
  PR_ZAB2_MKB               VARCHAR(10),
  PR_ZAB3_MKB               VARCHAR(10),
  PR_ZAB4_MKB               VARCHAR(10),
  PR_ZAB1_OPIS              VARCHAR(500),
  PR_ZAB2_OPIS              VARCHAR(500),
  PR_ZAB3_OPIS              VARCHAR(500),
  PR_ZAB4_OPIS              VARCHAR(500),
  PR_ZAB1_MKB_ADD           VARCHAR(10),
  PR_ZAB2_MKB_ADD           VARCHAR(10),
  PR_ZAB3_MKB_ADD           VARCHAR(10),
  PR_ZAB4_MKB_ADD           VARCHAR(10),
  PROCEDURE1_MKB            VARCHAR(20),
  PROCEDURE2_MKB            VARCHAR(20),
  PROCEDURE3_MKB            VARCHAR(20),
  PROCEDURE4_MKB            VARCHAR(20),
  PROCEDURE1_OPIS           VARCHAR(500),
  PROCEDURE2_OPIS           VARCHAR(500),
  PROCEDURE3_OPIS           VARCHAR(500),
  PROCEDURE4_OPIS           VARCHAR(500),
  MEDTRANSKM                INTEGER,
  ANAMN                     VARCHAR(1000),
  SYST                      VARCHAR(1000),
  IZSL                      VARCHAR(1000),
  TERAPY                    VARCHAR(3000),
  PREVENTIVE_TYPE           INTEGER,
  GS                        INTEGER,
  VSD_TYPE                  INTEGER,
  RECKNNO                   VARCHAR(20),
  AMB_PR                    INTEGER,
  DOM_PR                    INTEGER,
  PATIENTOF_NEOTL           VARCHAR(50),
  PATIENTOF_NEOTLID         INTEGER,
  AMB_JOURNALN              VARCHAR(20),
  SIMP_NAPR_N               INTEGER,
  SIMP_NAPR_NRN             VARCHAR(12),
  SIMP_PRIMARY_AMBLIST_N    VARCHAR(20),
  SIMP_PRIMARY_AMBLIST_NRN  VARCHAR(12),
  SIMP_PRIMARY_AMBLIST_DATE DATE,
  SIMP_FORM_DATE            DATE,
  VISIT_TYPE_ID             INTEGER,
  NAPR_TYPE_ID              INTEGER,
  PROCEDURE1_ID             INTEGER,
  PROCEDURE2_ID             INTEGER,
  PROCEDURE3_ID             INTEGER,
  PROCEDURE4_ID             INTEGER,
  SIMP_PRAKTIKA             VARCHAR(20),
  SIMP_UIN                  VARCHAR(20),
  SIMP_SPECIALITY_CODE      VARCHAR(10),
  SIMP_UIN_ZAMESTVASHT      VARCHAR(20),
  SIMP_IS_ZAMESTVASHT       CHAR(1),
  SIMP_IS_NAET              CHAR(1),
  REH_PROC1                 INTEGER,
  REH_PROC2                 INTEGER,
  REH_PROC3                 INTEGER,
  REH_PROC4                 INTEGER,
  REH_FINISHED_AT           TIMESTAMP,
  EXAM_BOLN_LIST_ID         INTEGER,
  CONSTRAINT UK_PREGLED_SHEET UNIQUE (PACIENT_ID, DOCTOR_ID, START_DATE, AMB_LISTN, NRN)
);

/* Duplicate: the same number on the same examination (a national referral is
   numbered by its position on the sheet). */
CREATE TABLE BLANKA_MED_NAPR (
  ID               INTEGER NOT NULL PRIMARY KEY,
  PREGLED_ID       INTEGER,
  NUMBER           INTEGER,
  ISSUE_DATE       DATE,
  SPECIALITY_ID    INTEGER,
  ICD_CODE         VARCHAR(10),
  ICD_CODE_ADD     VARCHAR(10),
  ICD_CODE2        VARCHAR(10),
  ICD_CODE2_ADD    VARCHAR(10),
  ICD_CODE3        VARCHAR(10),
  ICD_CODE3_ADD    VARCHAR(10),
  DIAGNOSES        VARCHAR(1000),
  REASON           VARCHAR(1000),
  ATTACHED_DOCS    VARCHAR(1000),
  MED_NAPR_TYPE_ID INTEGER,
  NRN              VARCHAR(12),
  NZIS_STATUS      INTEGER,
  CONSTRAINT UK_BLANKA_MED_NAPR UNIQUE (PREGLED_ID, NUMBER)
);

/* Duplicate: the same number on the same examination; the tests of a referral hold
   the ID of the row written for it. */
CREATE TABLE BLANKA_MDN (
  ID                    INTEGER NOT NULL PRIMARY KEY,
  PREGLED_ID            INTEGER,
  NUMBER                INTEGER,
  DATA                  DATE,
  ICD_CODE              VARCHAR(10),
  ICD_CODE_ADD          VARCHAR(10),
  MED_DIAG_NAPR_TYPE_ID INTEGER,
  NRN                   VARCHAR(12),
  NZIS_STATUS           INTEGER,
  CONSTRAINT UK_BLANKA_MDN UNIQUE (PREGLED_ID, NUMBER)
);

/* Duplicate: the same national number on the same examination. */
CREATE TABLE NZIS_MDN (
  ID                 INTEGER NOT NULL PRIMARY KEY,
  PATIENT_ID         INTEGER,
  DOCTOR_ID          INTEGER,
  PREGLED_ID         INTEGER,
  VIRTUAL_PREGLED_ID INTEGER,
  ZAM_UIN            VARCHAR(20),
  MKB                VARCHAR(10),
  MKB_ADD            VARCHAR(10),
  DATE_CREATED       DATE,
  NRN                VARCHAR(12),
  NZIS_CATEGORY      VARCHAR(10),
  NZIS_TYPE          INTEGER,
  TIME_SENDED_NZIS   TIMESTAMP,
  ANALS              INTEGER,
  SIMPTOMI           INTEGER,
  NZIS_STATUS        INTEGER,
  CONSTRAINT UK_NZIS_MDN UNIQUE (PREGLED_ID, NRN)
);

/* Duplicate: the same test on the same referral. */
CREATE TABLE EXAM_ANALYSIS (
  ID                    INTEGER NOT NULL PRIMARY KEY,
  PREGLED_ID            INTEGER,
  ANALYSIS_ID           INTEGER,
  BLANKA_MDN_ID         INTEGER,
  DATA                  DATE,
  NZIS_CODE_CL22        VARCHAR(20),
  NZIS_DESCRIPTION_CL22 VARCHAR(500),
  CONSTRAINT UK_EXAM_ANALYSIS UNIQUE (BLANKA_MDN_ID, ANALYSIS_ID)
);

/* Duplicate: the same number and speciality on the same examination. */
CREATE TABLE BLANKA_MED_NAPR_3A (
  ID               INTEGER NOT NULL PRIMARY KEY,
  PREGLED_ID       INTEGER,
  NUMBER           VARCHAR(20),
  SPECIALITY_ID    INTEGER,
  MED_NAPR_TYPE_ID INTEGER,
  VSD_CODE         VARCHAR(20),
  IS_BOLNICHNA     CHAR(1),
  ISSUE_DATE       DATE,
  REASON           VARCHAR(1000),
  DIAGNOSES        VARCHAR(1000),
  ICD_CODE         VARCHAR(10),
  ICD_CODE_ADD     VARCHAR(10),
  ICD_CODE2        VARCHAR(10),
  ICD_CODE2_ADD    VARCHAR(10),
  ICD_CODE3        VARCHAR(10),
  ICD_CODE3_ADD    VARCHAR(10),
  NRN              VARCHAR(12),
  NZIS_STATUS      INTEGER,
  CONSTRAINT UK_BLANKA_MED_NAPR_3A UNIQUE (PREGLED_ID, NUMBER, SPECIALITY_ID)
);

/* Duplicate: a second commission on the same examination. A sheet carries one; its
   number is no key, since a national number is replaced by the row's own ID. */
CREATE TABLE EXAM_LKK (
  ID            INTEGER NOT NULL PRIMARY KEY,
  NUMBER        VARCHAR(20),
  DATA          DATE,
  PREGLED_ID    INTEGER,
  LKK_TYPE_ID   INTEGER,
  ICD_CODE      VARCHAR(10),
  ICD_CODE_OPIS VARCHAR(400),
  NRN           VARCHAR(12),
  NZIS_STATUS   INTEGER,
  CONSTRAINT UK_EXAM_LKK UNIQUE (PREGLED_ID)
);

/* Duplicate: the same speciality twice in one commission. */
CREATE TABLE EXAM_LKK_DOCTOR (
  ID            INTEGER NOT NULL PRIMARY KEY,
  EXAM_LKK_ID   INTEGER,
  SPECIALITY_ID INTEGER,
  CONSTRAINT UK_EXAM_LKK_DOCTOR UNIQUE (EXAM_LKK_ID, SPECIALITY_ID)
);

/* Duplicate: a second TELK referral on the same examination. */
CREATE TABLE BLANKA_NAPR_TELK (
  ID                 INTEGER NOT NULL PRIMARY KEY,
  PREGLED_ID         INTEGER,
  PAC_FNAME          VARCHAR(50),
  PAC_SNAME          VARCHAR(50),
  PAC_LNAME          VARCHAR(50),
  PAC_EGN            VARCHAR(20),
  PAC_PERM_OBLAST    VARCHAR(50),
  PAC_PERM_OBSHTINA  VARCHAR(50),
  PAC_PERM_NAS_MQSTO VARCHAR(50),
  PAC_PERM_ULICA     VARCHAR(100),
  PAC_CURR_OBLAST    VARCHAR(50),
  PAC_CURR_OBSHTINA  VARCHAR(50),
  PAC_CURR_NAS_MQSTO VARCHAR(50),
  PAC_CURR_ULICA     VARCHAR(100),
  ANAMN              VARCHAR(1000),
  SYST               VARCHAR(1000),
  IZSL               VARCHAR(1000),
  MAIN_DIAG_MKB      VARCHAR(10),
  MAIN_DIAG_OPIS     VARCHAR(500),
  CONSTRAINT UK_BLANKA_NAPR_TELK UNIQUE (PREGLED_ID)
);

/* Duplicate: a second hospitalisation referral on the same examination. A sheet issues
   one; the referrals of NRD 2006 and 2008 have no clinical path, so a key that counted
   the path would never see them twice. */
CREATE TABLE HOSPITALIZATION (
  ID                 INTEGER NOT NULL PRIMARY KEY,
  PREGLED_ID         INTEGER,
  DIRECTED_BY        INTEGER,
  HAS_NHIF_CONTRACT  CHAR(1),
  IS_MZ              CHAR(1),
  NUMBER             INTEGER,
  DIRECT_MKB_1       VARCHAR(10),
  DIRECT_MKB_1_ADD   VARCHAR(10),
  DIRECT_MKB_2       VARCHAR(10),
  DIRECT_MKB_2_ADD   VARCHAR(10),
  DIRECT_DIAGNOSIS_1 VARCHAR(500),
  DIRECT_DIAGNOSIS_2 VARCHAR(500),
  DIRECT_DATE        DATE,
  CLINICAL_PATH      VARCHAR(20),
  ICD_AREA           VARCHAR(10),
  NRN                VARCHAR(12),
  NZIS_STATUS        INTEGER,
  CONSTRAINT UK_HOSPITALIZATION UNIQUE (PREGLED_ID)
);

/* Duplicate: the same immunisation given twice on one examination. */
CREATE TABLE EXAM_IMMUNIZATION (
  ID               INTEGER NOT NULL PRIMARY KEY,
  PREGLED_ID       INTEGER,
  IMMUNIZATION_ID  INTEGER,
  DATA             DATE,
  DOSE             VARCHAR(20),
  SERIES           VARCHAR(50),
  RESULT           VARCHAR(100),
  NRN_IMMUNIZATION VARCHAR(12),
  VACCINE_ID       INTEGER,
  CONSTRAINT UK_EXAM_IMMUNIZATION UNIQUE (PREGLED_ID, IMMUNIZATION_ID)
);

/* Duplicate: a row of the same form (paper number and register number), the same
   allocation and the same first drug on one examination. A form of more than three drugs
   spreads over rows that share form and allocation but not their first drug. A null in
   some columns of the key still compares equal (only an all-null key never collides), so
   the versions that write no form or register number are covered too. */
CREATE TABLE FREE_RECIPE (
  ID               INTEGER NOT NULL PRIMARY KEY,
  PREGLED_ID       INTEGER,
  DATA             DATE,
  FORM_NUMBER      INTEGER,
  NZIS_NRN         VARCHAR(12),
  ALLOCATION_ID    INTEGER DEFAULT 0,
  FINANCING_SOURCE INTEGER,
  LEK1_KOD         VARCHAR(20),
  LEK2_KOD         VARCHAR(20),
  LEK3_KOD         VARCHAR(20),
  LEK1_BROPAKOVKI  VARCHAR(10),
  LEK2_BROPAKOVKI  VARCHAR(10),
  LEK3_BROPAKOVKI  VARCHAR(10),
  LEK1_MKB         VARCHAR(10),
  LEK2_MKB         VARCHAR(10),
  LEK3_MKB         VARCHAR(10),
  LEK1_OSTATUK     INTEGER,
  LEK2_OSTATUK     INTEGER,
  LEK3_OSTATUK     INTEGER,
  LEK1_ID          INTEGER,
  LEK2_ID          INTEGER,
  LEK3_ID          INTEGER,
  CONSTRAINT UK_FREE_RECIPE UNIQUE (PREGLED_ID, FORM_NUMBER, NZIS_NRN, ALLOCATION_ID, LEK1_KOD)
);

/* Duplicate: the same certificate number on the same examination, the number being
   EL_NUMBER (NRD 2015 on) or NUMBER (earlier), the other column null. One key over
   both: the database counts a null segment of a partly filled key as equal, so a key
   per number would make every second certificate of an examination a duplicate. */
CREATE TABLE EXAM_BOLN_LIST (
  ID                INTEGER NOT NULL PRIMARY KEY,
  PREGLED_ID        INTEGER,
  DATA              DATE,
  EL_NUMBER         VARCHAR(20),
  NUMBER            INTEGER,
  IS_PRIMARY        CHAR(1),
  DAYS_HOME         INTEGER,
  SICK_LEAVE_START  DATE,
  SICK_LEAVE_END    DATE,
  PATIENT_SEX_TYPE  VARCHAR(2),
  PATIENT_EGN       VARCHAR(20),
  PATIENT_FULLNAME  VARCHAR(150),
  PATIENT_AGE       INTEGER,
  DOCTOR_KOMISIA    VARCHAR(50),
  IZDADEN_OT        VARCHAR(40),
  ICD_CODE          VARCHAR(10),
  NOTES             VARCHAR(1000),
  DIAGNOSIS         VARCHAR(500),
  DAYS_HOSPITAL     INTEGER,
  DAYS_SANATORIUM   INTEGER,
  DAYS_FREE         INTEGER,
  TREATMENT_REGIMEN INTEGER,
  PATIENT_CITY      VARCHAR(50),
  PATIENT_STREET    VARCHAR(40),
  DATEOFBIRTH       DATE,
  CONSTRAINT UK_EXAM_BOLN_LIST UNIQUE (PREGLED_ID, EL_NUMBER, NUMBER)
);
