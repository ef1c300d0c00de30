/* Kalvex's own journal of what each import wrote, so that a run can be taken back. The
   program creates these itself in a database that lacks them. */

CREATE TABLE KALVEX_RUN (
  ID                INTEGER NOT NULL PRIMARY KEY,
  STARTED           TIMESTAMP NOT NULL,
  FINISHED          TIMESTAMP,
  STATE             VARCHAR(20) NOT NULL,
  NRD               VARCHAR(60),
  EDITION           INTEGER,
  FILES             VARCHAR(8000),
  DOCTORS           VARCHAR(1000),
  ROWS_WRITTEN      INTEGER,
  GENERATORS_START  VARCHAR(8000),
  GENERATORS_END    VARCHAR(8000),
  UNDONE_AT         TIMESTAMP
);

CREATE TABLE KALVEX_RUN_ROWS (
  ID       INTEGER NOT NULL PRIMARY KEY,
  RUN_ID   INTEGER NOT NULL,
  ENTRIES  VARCHAR(30000) NOT NULL
);

CREATE GENERATOR GEN_KALVEX_RUN;
CREATE GENERATOR GEN_KALVEX_RUN_ROWS;
