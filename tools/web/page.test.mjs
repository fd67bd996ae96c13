// The game's page served as a host serves it (tools/web/serve.py), played in headless Chromium
// and checked with the same expectations as the desktop's end-to-end tests
// (tests/support/program_screens.h). Run by `node --test`, after the browser build.
import assert from 'node:assert/strict';
import http from 'node:http';
import fs from 'node:fs';
import path from 'node:path';
import {after, before, describe, test} from 'node:test';

import {GamePage, holdsWithin, launchChromium, loadScreenChecks, serveSite, siteDir}
    from './browser.mjs';

let server;
let browser;
let checks;

before(async () => {
  [server, browser, checks] = await Promise.all([serveSite(), launchChromium(), loadScreenChecks()]);
});

after(async () => {
  await browser?.close();
  server?.close();
});

async function openGame() {
  return GamePage.open(browser, checks, server.address);
}

async function openMenu() {
  const game = await openGame();
  assert.ok(await game.showsWithin(10, 'menu', 0), 'the menu never showed');
  return game;
}

describe('the game page', {concurrency: false}, () => {
  test('opens a 480 x 640 canvas, plays the logo and gives way to the menu', async () => {
    const game = await openGame();
    assert.ok(await holdsWithin(5, async () => (await game.look()) !== null), 'no canvas shown');
    assert.deepEqual(await game.look(), {width: 480, height: 640});
    assert.ok(await game.showsWithin(3, 'logo'), 'the still logo never showed');
    assert.ok(await game.showsWithin(8, 'menu', 0), 'the menu never showed');
    // The logo's 208 frames at 60 a second, as on the desktop.
    const menuAfter = await game.secondsShown();
    assert.ok(menuAfter > 3.0 && menuAfter < 5.0, `the menu came after ${menuAfter} s`);
    assert.ok(await game.shows('menu_drawn'));
    assert.equal(await game.page.title(), 'Trivanta');
    await game.page.close();
  });

  test('shows both help pages and comes back', async () => {
    const game = await openMenu();
    await game.type('s', ' ');
    assert.ok(await game.showsWithin(3, 'help'));
    await game.type('Enter');  // only space turns the page
    await new Promise((resolve) => setTimeout(resolve, 300));
    assert.ok(await game.shows('help'));
    await game.type(' ');
    assert.ok(await game.showsWithin(3, 'second_help'));
    await game.type(' ');
    assert.ok(await game.showsWithin(3, 'menu', 0));
    await game.page.close();
  });

  test('plays a game to its end and goes back to the menu', async () => {
    const game = await openMenu();
    await game.type(' ');
    assert.ok(await game.showsWithin(3, 'playing'));
    // The first piece falls into the well.
    assert.ok(await holdsWithin(3, async () => (await game.check('lowest_block'))?.answer > 60));
    // Pieces dropped one after the other pile up until one has no room, which takes about two
    // minutes of landings. A key typed during a landing's pause is stale when the game reads it,
    // so drops are typed until it is over.
    let over = false;
    const deadline = Date.now() + 400 * 1000;
    while (!over && Date.now() < deadline) {
      await game.type('s');
      over = await game.showsWithin(0.5, 'game_over');
    }
    assert.ok(over, 'the game never ended');
    await game.type('Enter', 'q');  // neither leaves
    await new Promise((resolve) => setTimeout(resolve, 300));
    assert.ok(await game.shows('game_over'));
    await game.type(' ');
    assert.ok(await game.showsWithin(3, 'menu', 0));
    await game.page.close();
  });

  test('"exit" ends the game and leaves a page that says so', async () => {
    const game = await openMenu();
    await game.type('s', 's', ' ');
    assert.ok(await holdsWithin(5, async () => (await game.state()) === 'ended'));
    const text = await game.page.evaluate(() => document.body.innerText);
    assert.match(text, /The game has ended/);
    await game.page.close();
  });
});

describe('keys', () => {
  test('reach the program with the codes the desktop gives them', async () => {
    const page = await GamePage.open(browser, checks, server.address + 'key_echo.html');
    assert.ok(await holdsWithin(10, () => page.console.includes('ready')));
    await page.type('a', 'Shift+A', 'ArrowLeft', 'F1', ' ', 'Enter');
    // A key of a layout that types 中, which reaches the program as its two GBK bytes.
    await page.page.evaluate(() => {
      for (const type of ['keydown', 'keyup']) window.dispatchEvent(new KeyboardEvent(type, {key: '中'}));
    });
    await page.type('q');
    assert.ok(await holdsWithin(5, () => page.console.includes('113')), page.console.join(' '));
    const codes = page.console.slice(page.console.indexOf('ready') + 1).map(Number);
    assert.deepEqual(codes, [97, 65, 0x125, 0x170, 32, 13, 0xD6, 0xD0, 113]);
    assert.ok(await holdsWithin(5, async () => (await page.state()) === 'ended'));
    await page.page.close();
  });
});

describe('a fatal error', () => {
  test('is shown in a dialog on the page, and then the program stops', async () => {
    const page = await GamePage.open(browser, checks, server.address + 'fatal.html');
    const dialog = '#trivanta-error[open]';
    await page.page.waitForSelector(dialog, {timeout: 10000});
    const text = await page.page.$eval(dialog, (element) => element.innerText);
    assert.match(text, /TARVEL ERROR message/);
    assert.match(text, /At function 'IMAGE::putimage'/);
    await page.page.click(`${dialog} button`);
    assert.ok(await holdsWithin(5, async () => (await page.state()) === 'ended'));
    await page.page.close();
  });
});

describe('a host without the isolating headers', () => {
  test('gets a page that names the two headers instead of a blank one', async () => {
    const plain = http.createServer((request, response) => {
      const file = path.join(siteDir, request.url === '/' ? 'index.html' : request.url);
      fs.readFile(file, (error, data) => {
        response.writeHead(error ? 404 : 200);
        response.end(data);
      });
    });
    await new Promise((resolve) => plain.listen(0, '127.0.0.1', resolve));
    try {
      const page = await GamePage.open(browser, checks,
                                       `http://127.0.0.1:${plain.address().port}/`);
      assert.equal(await page.state(), 'not-isolated');
      const text = await page.page.evaluate(() => document.body.innerText);
      assert.match(text, /Cross-Origin-Opener-Policy: same-origin/);
      assert.match(text, /Cross-Origin-Embedder-Policy: require-corp/);
      await page.page.close();
    } finally {
      plain.close();
    }
  });
});
